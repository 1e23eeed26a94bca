// The skin INI reader.
#include "SkinIni.h"

#include <gtest/gtest.h>

TEST(SkinIni, LinesAreTrimmedAndCommentsAndStrayLinesIgnored) {
    const SkinIni ini("COLOR=1\r\n"                // before the first section: ignored
                      "  [ FORM ]  \r\n"           // brackets inside blanks
                      "\t; COLOR=2\r\n"            // comment after trimming
                      "  COLOR  =  \t123 \x01\r\n" // key and value trimmed of blanks and controls
                      "NOEQUALS\n"                 // lone LF ends a line
                      "EMPTY=\r"                   // lone CR ends a line
                      "\r\n"
                      "[BUTTON]\r\n"
                      "TEXT = a = b\r\n");
    ASSERT_EQ(ini.Sections().size(), 2u);
    EXPECT_EQ(ini.Sections()[0].Name, "FORM");
    EXPECT_EQ(ini.ReadString("FORM", "COLOR", "?"), "123");
    EXPECT_EQ(ini.ReadString("FORM", "NOEQUALS", "default"), "default");
    EXPECT_EQ(ini.ReadString("FORM", "EMPTY", "default"), "");
    EXPECT_EQ(ini.ReadString("BUTTON", "TEXT", ""), "a = b");
    EXPECT_EQ(ini.ReadString("NOSUCH", "TEXT", "d"), "d");
}

TEST(SkinIni, LookupsIgnoreCaseAndTheFirstOccurrenceWins) {
    const SkinIni ini("[Form]\ncolor=1\nCOLOR=2\nMID=0\n[BUTTON]\nX=3\n[FORM]\nColor=4\nLATE=5\n");
    EXPECT_EQ(ini.ReadString("FORM", "COLOR", ""), "1");
    EXPECT_EQ(ini.ReadString("form", "Color", ""), "1");
    ASSERT_EQ(ini.Sections()[0].Keys.size(), 2u); // distinct keys, in file order
    EXPECT_EQ(ini.Sections()[0].Keys[0].Name, "color");
    EXPECT_EQ(ini.Sections()[0].Keys[1].Name, "MID");
}

TEST(SkinIni, ARepeatedHeaderStartsASectionOfItsOwnAndLookupsFindTheFirst) {
    const SkinIni ini("[Form]\nCOLOR=1\n[BUTTON]\nX=3\n[FORM]\nCOLOR=4\nLATE=5\n");
    std::vector<std::string> names;
    for (const SkinIniSection& section : ini.Sections())
        names.push_back(section.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Form", "BUTTON", "FORM"}));
    EXPECT_EQ(ini.SectionIndexOf("form"), 0);
    EXPECT_EQ(ini.ReadString("FORM", "COLOR", ""), "1");
    EXPECT_EQ(ini.ReadString("FORM", "LATE", "absent"), "absent"); // only in the second FORM
    EXPECT_EQ(*ini.Sections()[2].Find("COLOR"), "4");
}

TEST(SkinIni, AKeyWrittenOverTwoLinesDoesNotChangeItsCompleteForm) {
    const SkinIni ini("[GLOBALINFO]\r\n"
                      "BOXCHECKED=@0001@0002@0003@0004@3@0\r\n"
                      "BOXCHECKED\r\n"
                      "=@0099@0096@0138@0109@3@0\r\n");
    EXPECT_EQ(ini.ReadString("GLOBALINFO", "BOXCHECKED", ""), "@0001@0002@0003@0004@3@0");
    // The second half is a key with an empty name.
    ASSERT_EQ(ini.Sections()[0].Keys.size(), 2u);
    EXPECT_EQ(ini.ReadString("GLOBALINFO", "", ""), "@0099@0096@0138@0109@3@0");
}

TEST(SkinIni, CommonSectionsAreLaidOverTheSkin) {
    SkinIni ini("[FORM]\nCOLOR=1\nKEEP=2\n[EDIT]\nCOLOR=3\n[form]\nCOLOR=9\n");
    ini.MergeOver(SkinIni("[Form]\ncolor=7\nNEW=8\n[EXTRA]\nA=B\n"));
    ASSERT_EQ(ini.Sections().size(), 4u);
    EXPECT_EQ(ini.ReadString("FORM", "COLOR", ""), "7");
    EXPECT_EQ(ini.ReadString("FORM", "KEEP", ""), "2");
    EXPECT_EQ(ini.ReadString("FORM", "NEW", ""), "8");
    EXPECT_EQ(ini.Sections()[0].Keys.back().Name, "NEW");
    EXPECT_EQ(*ini.Sections()[2].Find("COLOR"), "9"); // a later section of the same name is left alone
    EXPECT_EQ(ini.Sections()[3].Name, "EXTRA");
    EXPECT_EQ(ini.ReadString("EXTRA", "A", ""), "B");
}

TEST(SkinIni, SectionOrderIsFileOrder) {
    const SkinIni ini("[GLOBALINFO]\n[FORM]\n[A]\n[FORMTITLE]\n[]\n");
    std::vector<std::string> names;
    for (const SkinIniSection& section : ini.Sections())
        names.push_back(section.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"GLOBALINFO", "FORM", "A", "FORMTITLE", ""}));
}
