#include "app/PruefForm.h"

#include "app/Widgets.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace app {
namespace {

constexpr int kWidth = 383;
constexpr int kHeight = 381;
constexpr int kTitleHeight = 40;
constexpr int kBottomHeight = 27;
constexpr int kResultsX = 153;
constexpr int kRowHeight = 21;

QFont pixelFont(const QFont& base, int pixels, bool bold)
{
    QFont font(base);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
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
    } rows[] = {
        {"Label2", "Remark date", "mDatum"},
        {"Label3", "Client", nullptr},
        {"Label4", "Name", "mName"},
        {"Label5", "Account number", "mKonto"},
        {"Label6", "Bank code number", "mBLZ"},
        {"Label7", "Exchange data", nullptr},
        {"Label8", "Amount < 1 EUR", "m1EUR"},
        {"Label9", "Amount > 50.000 EUR", "mB50000"},
        {"Label10", "Announce-requiring amount", "mMelde"},
        {"Label11", "Incorrect IBAN", "mIBAN"},
        {"Label12", "Incorrect BIC", "mBIC"},
        {"Label13", "Incorrect Date", "mAusDat"},
    };
    int y = kTitleHeight + 10;
    for (const auto& row : rows) {
        QLabel* caption = namedLabel(row.captionName, QLatin1String(row.caption), this);
        caption->setFont(pixelFont(font(), 11, row.line == nullptr));
        const int x = row.line ? 16 : 8;
        caption->setGeometry(x, y, kResultsX - x - 1, kRowHeight);
        if (row.line) {
            QLabel* result = namedLabel(row.line, QStringLiteral("OK"), this);
            result->setFont(pixelFont(font(), 11, true));
            result->setGeometry(kResultsX, y, kWidth - kResultsX - 8, kRowHeight);
        }
        y += kRowHeight;
    }

    m_message = namedLabel("mHinweis", {}, this);
    m_message->setFont(pixelFont(font(), 16, true));
    m_message->setStyleSheet(QStringLiteral("color: #ff0000;"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setGeometry(8, y + 6, kWidth - 16, kHeight - kBottomHeight - y - 10);

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
