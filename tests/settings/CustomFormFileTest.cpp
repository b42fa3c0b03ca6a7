#include "CustomFormFile.h"

#include "CustomFormSelection.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace corvane {
namespace {

namespace fs = std::filesystem;

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string layout(const std::string& lineEnd)
{
    return "<HEADER>" + lineEnd + "Form_Name:\tNew Patient Intake" + lineEnd + "Form_Code:\tINTAKE2" + lineEnd
        + "Form_Type:\tENTRY" + lineEnd + "Background_Image:\tback.bmp" + lineEnd + "Image:\t10\t20\t30\t40\tlogo.png"
        + lineEnd + "</HEADER>" + lineEnd + "Form_Name:\tafter the header" + lineEnd + "FIELD\tLNAME\t100\t120"
        + lineEnd;
}

TEST(CustomFormFileTest, HeaderIsReadWithEitherLineEndAndStopsAtItsEnd)
{
    for (const std::string lineEnd : {"\r\n", "\n"}) {
        const CustomFormHeader header = CustomFormFile::readHeader(layout(lineEnd));
        EXPECT_TRUE(header.hasHeader);
        EXPECT_EQ(header.name, "New Patient Intake");
        EXPECT_EQ(header.code, "INTAKE2");
        EXPECT_EQ(header.type, "ENTRY");
        EXPECT_EQ(header.images, (std::vector<std::string> {"back.bmp", "logo.png"}));
    }
    EXPECT_FALSE(CustomFormFile::readHeader("Form_Name:\tX\r\nForm_Code:\tY\r\n").hasHeader);
    EXPECT_EQ(CustomFormFile::imageList({"back.bmp", "logo.png"}), "back.bmp\xE6logo.png");
}

TEST(CustomFormFileTest, SizeTextCountsBytesThenKilobytesToTwoDecimals)
{
    EXPECT_EQ(CustomFormFile::sizeText(0), "0 B");
    EXPECT_EQ(CustomFormFile::sizeText(1023), "1023 B");
    EXPECT_EQ(CustomFormFile::sizeText(1024), "1 KB");
    EXPECT_EQ(CustomFormFile::sizeText(1536), "1.5 KB");
    EXPECT_EQ(CustomFormFile::sizeText(1100), "1.07 KB");
    EXPECT_EQ(CustomFormFile::sizeText(10 * 1024 * 1024), "10240 KB");
}

class CustomFormCheckTest : public ::testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(CustomFormCheckTest, ValidFileKeepsItsTextAndFindsImagesInAnyLetterCase)
{
    writeFile(dir.file("intake.ldt"), layout("\r\n"));
    writeFile(dir.file("back.bmp"), std::string("BM\0\x01", 4));
    writeFile(dir.file("LOGO.PNG"), "\x89PNG");
    const CustomFormCheck checked = CustomFormFile::check(dir.file("intake.ldt"));
    ASSERT_TRUE(checked.valid) << checked.errors;
    EXPECT_EQ(checked.text, layout("\r\n")) << "the whole file, header included, is what is uploaded";
    ASSERT_EQ(checked.imagePaths.size(), 2u);
    EXPECT_EQ(checked.imagePaths[1].filename().string(), "LOGO.PNG");
}

TEST_F(CustomFormCheckTest, MissingAndEmptyImagesAreNamedWithTheirFolder)
{
    writeFile(dir.file("intake.ldt"), layout("\r\n"));
    writeFile(dir.file("back.bmp"), "");
    const CustomFormCheck checked = CustomFormFile::check(dir.file("intake.ldt"));
    EXPECT_FALSE(checked.valid);
    const std::string folder = fs::path(dir.file("intake.ldt")).parent_path().string() + "/";
    EXPECT_EQ(checked.errors,
              "Image File, '" + folder + "back.bmp' size is 0.\r\nImage File, '" + folder + "logo.png' not found.");
}

TEST_F(CustomFormCheckTest, FileWithoutHeaderOrTextIsNotACustomForm)
{
    writeFile(dir.file("plain.ldt"), "Form_Name:\tX\r\nForm_Code:\tY\r\n");
    const CustomFormCheck plain = CustomFormFile::check(dir.file("plain.ldt"));
    EXPECT_FALSE(plain.valid);
    EXPECT_EQ(plain.errors, "Not a valid Custom Form. ");

    writeFile(dir.file("empty.ldt"), "");
    std::string error;
    EXPECT_EQ(CustomFormFile::readText(dir.file("empty.ldt"), error), std::string());
    EXPECT_FALSE(CustomFormFile::check(dir.file("empty.ldt")).valid);
    EXPECT_FALSE(CustomFormFile::check(dir.file("absent.ldt")).valid);
}

TEST_F(CustomFormCheckTest, HeaderWithoutCodeOrNameTakesTheFileName)
{
    writeFile(dir.file("Consent 2026.ldt"), "<HEADER>\r\nForm_Type:\tPRINT\r\n</HEADER>\r\n");
    const CustomFormCheck checked = CustomFormFile::check(dir.file("Consent 2026.ldt"));
    ASSERT_TRUE(checked.valid);
    EXPECT_EQ(checked.header.code, "Consent 2026");
    EXPECT_EQ(checked.header.name, "Consent 2026");
}

TEST(CustomFormUploadTest, PiecesKeepEveryRequestWithinTheLimitAndRoundUp)
{
    const std::string code = "INTAKE2";
    const std::string image = "logo.png";
    const std::size_t length = CustomFormUpload::pieceLength(code, image);
    EXPECT_EQ(length, 9000u - (std::string("|SET|CUSTFORM|I-111|INTAKE2|logo.png|").size() + 10));

    EXPECT_EQ(CustomFormUpload::imageRequests(code, image, std::string(length, 'x')).size(), 1u)
        << "exactly one piece length is one request";
    const std::string data = std::string(length, 'a') + "b";
    const auto requests = CustomFormUpload::imageRequests(code, image, data);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], "|SET|CUSTFORM|I-1|INTAKE2|logo.png|" + std::string(length, 'a'));
    EXPECT_EQ(requests[1], "|SET|CUSTFORM|I-2|INTAKE2|logo.png|b");

    const std::string big(length * 120 + 7, '\xE6');
    std::string joined;
    const auto many = CustomFormUpload::imageRequests(code, image, big);
    EXPECT_EQ(many.size(), 121u);
    for (std::size_t i = 0; i < many.size(); ++i) {
        EXPECT_LE(many[i].size(), CustomFormUpload::requestLimit);
        const std::string prefix = "|SET|CUSTFORM|I-" + std::to_string(i + 1) + "|INTAKE2|logo.png|";
        ASSERT_EQ(many[i].compare(0, prefix.size(), prefix), 0);
        joined += many[i].substr(prefix.size());
    }
    EXPECT_EQ(joined, big);
}

TEST(CustomFormUploadTest, LayoutRequestCarriesTheFileUnchangedAndRefusesSeparatorsInItsFields)
{
    EXPECT_EQ(CustomFormUpload::layoutRequest("F1", "Intake", "ENTRY", "<HEADER>\r\n|x\xE6"),
              "|SET|CUSTFORM|T|F1|Intake:ENTRY|<HEADER>\r\n|x\xE6");
    EXPECT_FALSE(CustomFormUpload::refusal("F1", "Intake", "ENTRY"));
    EXPECT_TRUE(CustomFormUpload::refusal("F|1", "Intake", "ENTRY"));
    EXPECT_TRUE(CustomFormUpload::refusal("F1", "Intake: new", "ENTRY"));
    EXPECT_TRUE(CustomFormUpload::refusal("F1", "Kj\xE6r", "ENTRY"));
    EXPECT_TRUE(CustomFormUpload::refusal("", "Intake", "ENTRY"));
}

TEST(CustomFormSelectionTest, ColumnsComeFromTheColumnDefinition)
{
    const auto columns = CustomFormSelection::columns();
    ASSERT_EQ(columns.size(), 7u);
    EXPECT_EQ(columns[2].caption, "Descripion");
    EXPECT_EQ(columns[2].width, 17);
    EXPECT_EQ(columns[6].caption, "Selected *");
    EXPECT_TRUE(columns[6].format.isCheck());
    EXPECT_FALSE(columns[1].format.isCheck());
}

TEST(CustomFormSelectionTest, HiddenTicksAndUnlistedEntriesSurviveTheSave)
{
    CustomFormSelection forms;
    forms.load("1\tINTAKE\tNew Patient Intake\tENTRY\t01/12/2026\tFORM\r\n"
               "0\tOLD\tOld Intake\tENTRY\t02/14/2019\tFORM\r\n"
               "1\tHIPAA\tHIPAA\tENTRY\t11/03/2025\tFORM\r\n",
               "OLD\tOld Intake\tENTRY\tMENU=2\xE6GONE\tDeleted form\xE6");
    ASSERT_EQ(forms.rows().size(), 3u);
    EXPECT_FALSE(forms.rows()[0].selected);
    EXPECT_TRUE(forms.rows()[1].selected);
    EXPECT_EQ(forms.shownRows(true), (std::vector<std::size_t> {0, 2}));
    EXPECT_FALSE(forms.changed());

    forms.setSelected(2, true);
    EXPECT_TRUE(forms.changed());
    EXPECT_EQ(forms.saveRequest(),
              "|SET|CUSTFORM|H|GONE\tDeleted form\xE6OLD\tOld Intake\tENTRY\tMENU=2\xE6HIPAA\tHIPAA\tENTRY");
    forms.markSaved();
    EXPECT_FALSE(forms.changed());

    EXPECT_TRUE(forms.codeExists("hipaa"));
    EXPECT_TRUE(forms.nameExists("new patient intake"));
    EXPECT_FALSE(forms.codeExists("INTAKE2"));
}

} // namespace
} // namespace corvane
