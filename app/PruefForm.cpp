#include "app/PruefForm.h"

#include "app/Widgets.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>

namespace app {
namespace {

constexpr int kWidth = 383;
constexpr int kHeight = 381;
constexpr int kTitleHeight = 40;
constexpr int kBottomHeight = 27;
constexpr int kResultsX = 153;
constexpr int kColumnGap = 6; // keeps a caption's text off its result line
constexpr int kRowGap = 6;

QFont pixelFont(const QFont& base, int pixels, bool bold)
{
    QFont font(base);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The height that the given number of lines of text take.
int linesHeight(const QFontMetrics& metrics, int lines)
{
    return metrics
        .boundingRect(QRect(0, 0, kWidth, kHeight), 0,
                      QStringList(lines, QStringLiteral("X")).join(QLatin1Char('\n')))
        .height();
}

void showLine(QLabel* label, const checking::ResultLine& line)
{
    label->setText(QString::fromStdString(line.text));
    label->setStyleSheet(
        line.colour == checking::LineColour::Red ? QStringLiteral("color: #ff0000;") : QString());
}

} // namespace

TPruefForm::TPruefForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("PruefForm"));
    setWindowTitle(QStringLiteral("Tarvion- Test certificate"));
    setFixedSize(kWidth, kHeight);
    QFont arial(QStringLiteral("Liberation Sans")); // Arial's metrics: the captions fit
    arial.setStyleHint(QFont::SansSerif);
    setFont(arial);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    QLabel* title = namedLabel("Label1", QStringLiteral("Tarvion - Test certificate"), this);
    title->setFont(pixelFont(font(), 21, true));
    title->setGeometry(12, 0, kWidth - 24, kTitleHeight);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setGeometry(0, kTitleHeight, kWidth, 2);

    const struct
    {
        const char* captionName;
        const char* caption;
        const char* line; // null: a bold group heading
        int resultLines;  // lines kept free for the longest text of the line
    } rows[] = {
        {"Label2", "Remark date", "mDatum", 2}, // the date rules' texts take two lines
        {"Label3", "Client", nullptr, 0},
        {"Label4", "Name", "mName", 1},
        {"Label5", "Account number", "mKonto", 1},
        {"Label6", "Bank code number", "mBLZ", 1},
        {"Label7", "Exchange data", nullptr, 0},
        {"Label8", "Amount < 1 EUR", "m1EUR", 1},
        {"Label9", "Amount > 50.000 EUR", "mB50000", 1},
        {"Label10", "Announce-requiring amount", "mMelde", 1},
        {"Label14", "Missing payee name", "mEmpfName", 1},
        {"Label11", "Incorrect IBAN", "mIBAN", 1},
        {"Label12", "Incorrect BIC", "mBIC", 1},
        {"Label13", "Incorrect Date", "mAusDat", 1},
    };
    // Each row is as high as its wrapped caption or the lines kept for its
    // result, whichever is more.
    int y = kTitleHeight + 6;
    for (const auto& row : rows) {
        QLabel* caption = namedLabel(row.captionName, QLatin1String(row.caption), this);
        caption->setFont(pixelFont(font(), 11, row.line == nullptr));
        caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        caption->setWordWrap(true);
        const int x = row.line ? 16 : 8;
        const int captionWidth = kResultsX - kColumnGap - x;
        const QFontMetrics metrics = caption->fontMetrics();
        const int height = std::max(
            metrics
                .boundingRect(QRect(0, 0, captionWidth, kHeight), Qt::TextWordWrap, caption->text())
                .height(),
            linesHeight(metrics, row.resultLines));
        caption->setGeometry(x, y, captionWidth, height);
        if (row.line) {
            QLabel* result = namedLabel(row.line, QStringLiteral("OK"), this);
            result->setFont(pixelFont(font(), 11, true));
            result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            result->setWordWrap(true);
            result->setGeometry(kResultsX, y, kWidth - kResultsX - 8, height);
        }
        y += height + kRowGap;
    }

    m_message = namedLabel("mHinweis", {}, this);
    m_message->setFont(pixelFont(font(), 16, true));
    m_message->setStyleSheet(QStringLiteral("color: #ff0000;"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setGeometry(8, y, kWidth - 16, kHeight - kBottomHeight - 4 - y);

    auto* bottomRule = new QFrame(this);
    bottomRule->setFrameShape(QFrame::HLine);
    bottomRule->setGeometry(0, kHeight - kBottomHeight - 2, kWidth, 2);
    QPushButton* close = namedButton("LMDSpeedButton1", QStringLiteral("Close"), {}, this);
    close->setGeometry(kWidth - 88, kHeight - kBottomHeight + 2, 80, kBottomHeight - 4);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    m_blink = new QTimer(this);
    m_blink->setInterval(500);
    connect(m_blink, &QTimer::timeout, this, [this] {
        m_message->setText(m_message->text().isEmpty() ? m_messageText : QString());
    });
}

QLabel* TPruefForm::line(const char* name) const
{
    return findChild<QLabel*>(QLatin1String(name));
}

void TPruefForm::setResult(const checking::CheckResult& r)
{
    showLine(line("mDatum"), r.mDatum);
    showLine(line("mName"), r.mName);
    showLine(line("mKonto"), r.mKonto);
    showLine(line("mBLZ"), r.mBLZ);
    showLine(line("m1EUR"), r.m1EUR);
    showLine(line("mB50000"), r.mB50000);
    showLine(line("mMelde"), r.mMelde);
    showLine(line("mEmpfName"), r.mEmpfName);
    showLine(line("mIBAN"), r.mIBAN);
    showLine(line("mBIC"), r.mBIC);
    showLine(line("mAusDat"), r.mAusDat);
    m_messageText = QString::fromStdString(r.mHinweis);
    m_message->setText(m_messageText);
}

void TPruefForm::showEvent(QShowEvent* event)
{
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
    m_message->setText(m_messageText);
    m_blink->start();
    QDialog::showEvent(event);
}

void TPruefForm::hideEvent(QHideEvent* event)
{
    m_blink->stop();
    m_message->setText(m_messageText);
    QDialog::hideEvent(event);
}

} // namespace app
