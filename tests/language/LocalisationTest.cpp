#include "language/Localisation.h"

#include "language/IniFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace language {
namespace {

// A window of named texts, as the user interface would show them.
class FakeWindow final : public LocalizedWindow
{
public:
    explicit FakeWindow(std::map<std::string, std::string> texts) : shown(std::move(texts)) {}

    std::string windowName() const override { return "HauptForm"; }
    std::vector<std::pair<TextKey, std::string>> texts() const override
    {
        std::vector<std::pair<TextKey, std::string>> all;
        for (const auto& [key, text] : shown)
            all.push_back({TextKey::parse(key), text});
        return all;
    }
    std::optional<std::string> text(const TextKey& key) const override
    {
        const auto found = shown.find(key.text());
        return found == shown.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    void setText(const TextKey& key, const std::string& value) override
    {
        if (shown.count(key.text()))
            shown[key.text()] = value;
    }
    void setRightToLeft(bool rtl) override { rightToLeft = rtl; }

    std::map<std::string, std::string> shown;
    bool rightToLeft = false;
};

class Localisation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        file = (std::filesystem::temp_directory_path() / "tarvion-English-test").string();
        std::ofstream(file) << "[General Settings]\nBiDiMode=0\n"
                               "[HauptForm]\n"
                               "Caption=\"Tarvion - quick and easy !\"\n"
                               "Label1.Caption=\"Say \"\"hello\"\"\"#13#10\"second line\"\n"
                               "Label2.Hint=\"no hint here\"\n"
                               "Missing.Caption=\"nobody\"\n"
                               "Label2.Color=\"red\"\n";
    }
    void TearDown() override { std::remove(file.c_str()); }

    std::map<std::string, std::string> german{{"Caption", "Tarvion - schnell und einfach"},
                                              {"Label1.Caption", "Hallo"},
                                              {"Label2.Caption", "Name"},
                                              {"Label2.Hint", ""},
                                              {"Label3.Caption", "Nur Deutsch"}};
    std::string file;
};

TEST(ValueEncoding, RoundTripsQuotesAndLineBreaks)
{
    const struct
    {
        std::string text;
        std::string encoded;
    } cases[] = {
        {"Import", "\"Import\""},
        {"Say \"hello\"", "\"Say \"\"hello\"\"\""},
        {"first\r\nsecond", "\"first\"#13#10\"second\""},
        {"\r\nstarts with a break", "\"\"#13#10\"starts with a break\""},
        {"", "\"\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(encodeValue(c.text), c.encoded);
        EXPECT_EQ(decodeValue(c.encoded), c.text);
    }
    EXPECT_EQ(decodeValue("taken unchanged \"as it\" is"), "taken unchanged \"as it\" is");
    EXPECT_EQ(TextKey::parse("cxGrid1DBTableView1Name.DataBinding.FieldName").property,
              "DataBinding.FieldName");
    EXPECT_EQ(TextKey::parse("Caption").element, "");
}

TEST_F(Localisation, GermanEnglishGermanGivesBackEveryText)
{
    FakeWindow window(german);
    LanguageSource source(file);
    FormLocaliser localiser(window, {"Caption", "Hint"});
    localiser.bind(source);

    source.setActiveLanguage(0);
    EXPECT_EQ(window.shown["Caption"], "Tarvion - quick and easy !");
    EXPECT_EQ(window.shown["Label1.Caption"], "Say \"hello\"\r\nsecond line");
    EXPECT_EQ(window.shown["Label3.Caption"], "Nur Deutsch")
        << "a text the file lacks stays German";
    EXPECT_EQ(window.shown["Label2.Hint"], "") << "an empty text stays empty";

    source.setActiveLanguage(-1);
    EXPECT_EQ(window.shown, german);
    EXPECT_TRUE(localiser.originals().empty()) << "forgotten until the next change";
    source.setActiveLanguage(0);
    source.setActiveLanguage(-1);
    EXPECT_EQ(window.shown, german);
}

TEST_F(Localisation, MissingFileOrSectionShowsTheOriginals)
{
    for (const std::string& name : {std::string("/nonexistent/English"), file}) {
        SCOPED_TRACE(name);
        FakeWindow window(german);
        LanguageSource source(name);
        FormLocaliser localiser(window, {"Caption", "Hint"});
        localiser.bind(source);
        if (name == file) {
            // A window without a section: give the fake another name by a file lacking it.
            std::ofstream(file) << "[AuftragForm]\nCaption=\"Ordering parties\"\n";
        }
        source.setActiveLanguage(0);
        EXPECT_EQ(window.shown, german);
    }
}

TEST_F(Localisation, LoadingActivationRecordsNothingAndLateWindowsFollow)
{
    // The main window keeps the originals of its definition, even though it
    // shows the English texts when the stored language is not a known one.
    FakeWindow window(german);
    std::vector<std::pair<TextKey, std::string>> stored;
    for (const auto& [key, text] : german)
        if (!text.empty())
            stored.push_back({TextKey::parse(key), text});
    LanguageSource source(file);
    FormLocaliser localiser(window, {"Caption", "Hint"}, stored);
    localiser.bind(source);
    source.setActiveLanguage(0, false);
    EXPECT_EQ(window.shown["Caption"], "Tarvion - quick and easy !");
    source.setActiveLanguage(-1);
    EXPECT_EQ(window.shown, german);

    source.setActiveLanguage(0);
    FakeWindow late(german); // created while English is active
    FormLocaliser lateLocaliser(late, {"Caption"});
    lateLocaliser.bind(source);
    EXPECT_EQ(late.shown["Caption"], "Tarvion - quick and easy !");
    EXPECT_EQ(late.shown["Label2.Hint"], "") << "Hint is not localised for this window";
    source.setActiveLanguage(-1);
    EXPECT_EQ(late.shown, german);
}

TEST(ValueEncoding, CharacterCodesBeyondOneByteCannotBeDecoded)
{
    EXPECT_EQ(decodeValue("\"a\"#255\"b\""), std::string("a\xFF"
                                                         "b"));
    EXPECT_EQ(decodeValue("\"a\"#0013\"b\""), std::string("a\rb"));
    for (const char* damaged :
         {"\"a\"#256\"b\"", "\"a\"#99999999999999999999\"b\"", "\"a\"#2147483648"}) {
        SCOPED_TRACE(damaged);
        EXPECT_EQ(decodeValue(damaged), std::nullopt);
    }
}

// Values a damaged or foreign language file may hold: the entry counts as
// missing, so the window keeps its original text, and the others still apply.
TEST_F(Localisation, DamagedEntriesKeepTheOriginalText)
{
    const struct
    {
        const char* name;
        std::string value;
    } cases[] = {
        {"character code that overflows an int", "\"x\"#99999999999999999999\"y\""},
        {"character code beyond one byte", "\"x\"#300"},
        {"absurdly long text", "\"" + std::string(kLongestValue, 'x') + "\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(file) << "[HauptForm]\nCaption=\"quick\"\nLabel1.Caption=" << c.value << "\n";
        FakeWindow window(german);
        LanguageSource source(file);
        FormLocaliser localiser(window, {"Caption", "Hint"});
        localiser.bind(source);
        source.setActiveLanguage(0);
        EXPECT_EQ(window.shown["Caption"], "quick");
        EXPECT_EQ(window.shown["Label1.Caption"], "Hallo");
        source.setActiveLanguage(-1);
        EXPECT_EQ(window.shown, german);
    }
}

TEST_F(Localisation, OversizedLanguageFileCountsAsEmpty)
{
    {
        std::ofstream out(file);
        out << "[HauptForm]\nCaption=\"quick\"\n";
        const std::string filler(1024, ';');
        for (std::size_t written = 0; written <= IniFile::kMaxFileSize; written += 1025)
            out << filler << '\n';
    }
    FakeWindow window(german);
    LanguageSource source(file);
    FormLocaliser localiser(window, {"Caption", "Hint"});
    localiser.bind(source);
    source.setActiveLanguage(0);
    EXPECT_EQ(window.shown, german);
}

TEST(IniFile, KeepsOtherContentAndValuesExactly)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / "tarvion-ini-test.ini").string();
    std::ofstream(path) << "; "
                           "kept\r\n[Common]\r\nForm1=200,0,1,266,112,1216,713\r\nOther=x\r\n\r\n["
                           "Extra]\r\nA=1\r\n";
    IniFile ini;
    ASSERT_TRUE(ini.load(path));
    EXPECT_EQ(ini.value("common", "form1", ""), "200,0,1,266,112,1216,713");
    ini.setValue("Sprache", "Sprache", "English");
    ini.setValue("Common", "Form1", "200,0,3,1,2,3,4");
    ASSERT_TRUE(ini.save(path));
    IniFile again;
    again.load(path);
    EXPECT_EQ(again.value("Common", "Other", ""), "x");
    EXPECT_EQ(again.value("Extra", "A", ""), "1");
    EXPECT_EQ(again.value("Sprache", "Sprache", ""), "English");
    EXPECT_EQ(again.value("Common", "Form1", ""), "200,0,3,1,2,3,4");
    std::ifstream in(path);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "; kept\r");
    std::remove(path.c_str());
    EXPECT_FALSE(IniFile().load("/nonexistent/VIZUZAR.INI"));
    EXPECT_FALSE(again.save("/nonexistent/folder/VIZUZAR.INI"));
}

} // namespace
} // namespace language
