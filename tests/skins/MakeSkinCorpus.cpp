// Writes the seed corpus of the skin-load fuzzer (skins/fuzz/corpus). Run by hand after the
// input format of the fuzzer changes:  skin_corpus_maker <corpus folder>
#include "SkinFuzzInput.h"
#include "SkinTestPictures.h"

#include <fstream>
#include <iostream>

namespace {

const char* const SmallSkin =
    "[GLOBALINFO]\r\nVERSION=6.5\r\nMASTERBITMAP=MASTER.BMP\r\n"
    "CHECKBOX=@0001@0001@0012@0010@3@1\r\nSHADOW1BLUR=2\r\n"
    "GLOWIMG=!GLOW.PNG!1!0!4\r\n[FORM]\r\nCOLOR=-16777201\r\nPATTERN=BKGND.JPG\r\n"
    "HOTPATTERN=SMALL.JPG\r\nBORDERSMASK=^0000^0000^0024^0012^0000^0000^0000^0000^3^1^5^0\r\n"
    "GRADIENTDATA=1;2;50;0;0;3;4;50;1;0\r\n[BUTTON]\r\nPARENTCLASS=FORM\r\n"
    "BORDERSMASK=!BUTTONHUGE.BMP!3!1!0\r\nLRGN=~0000~0000~0012~0012~10~1\r\n"
    "GLYPH=#GLYPH(0,0,12,12)(3,1,2,1)\r\nIMG=BUTTONHUGE.BMP\r\n[LOOPA]\r\nPARENTCLASS=LOOPB\r\n"
    "[LOOPB]\r\nPARENTCLASS=LOOPA\r\nCOLOR=-1\r\n";

void Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Entries(const std::vector<std::vector<std::uint8_t>>& parts) {
    std::vector<std::uint8_t> out{'E'};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out.insert(out.end(), FuzzEntrySeparator,
                       FuzzEntrySeparator + std::string(FuzzEntrySeparator).size());
        out.insert(out.end(), parts[i].begin(), parts[i].end());
    }
    return out;
}

// Run-length encoded 8-bit master: each row one run, then end of line; end of bitmap last.
std::vector<std::uint8_t> RleMaster(int width, int height) {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < height; ++y)
        pixels.insert(pixels.end(),
                      {static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(y % 3), 0, 0});
    pixels.insert(pixels.end(), {0, 1});
    return BitmapFile(
        {width, height, 8, 1, 40, {}, {qRgb(255, 0, 255), qRgb(10, 20, 30), qRgb(200, 100, 0)}, pixels});
}

// 32-bit bitmap with an alpha mask in a version 5 header.
std::vector<std::uint8_t> AlphaBitmap(int width, int height) {
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < width * height; ++i)
        pixels.insert(pixels.end(),
                      {static_cast<std::uint8_t>(i), 80, 160, static_cast<std::uint8_t>(i * 16)});
    return BitmapFile({width, height, 32, 3, 124, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {}, pixels});
}

// A parent chain, a repeated header, an empty key and BIKEEPHUE, loaded with a colour change
// (odd last byte).
std::string ChainSkin() {
    std::string text = "[GLOBALINFO]\r\nBIKEEPHUE=1\r\nMASTERBITMAP=MASTER.BMP\r\n"
                       "BICONCLOSE=@0000@0000@0012@0004@3@0\r\nBICONMAX=!BUTTONHUGE.BMP!1!0!1\r\n=@0001@0001@"
                       "0002@0002@1@0\r\n";
    for (int i = 0; i < 40; ++i)
        text += "[S" + std::to_string(i) + "]\r\nPARENTCLASS=S" + std::to_string(i + 1) + "\r\n";
    text += "[S40]\r\nCOLOR=255\r\nGRADIENTDATA=255;65280;100;0;0\r\nBORDERSMASK=^0000^0000^0024^0012^0000^"
            "0000^0000^0000^3^1^5^0\r\n"
            "[S0]\r\nCOLOR=1\r\n";
    return text;
}

std::vector<std::uint8_t> Prefixed(char mode, const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(mode)};
    out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: skin_corpus_maker <corpus folder>\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const std::vector<std::uint8_t> master = TestBitmap(24, 12, 24);
    const std::vector<std::uint8_t> button = TestBitmap(12, 8, 8);
    const std::vector<std::uint8_t> glow = TestPng(4, 3);
    const std::vector<std::uint8_t> big = TestJpeg(8, 8, true);
    const std::vector<std::uint8_t> small = TestJpeg(8, 8);
    Write(folder + "entries-small-skin", Entries({Bytes(SmallSkin), master, button, glow, big, small}));
    Write(folder + "entries-ini-only",
          Entries({Bytes("[GLOBALINFO]\nVERSION=7.0\n[A]\nPARENTCLASS=A\nCOLOR=5\n")}));
    Write(folder + "package-small-skin", Prefixed('P', TestPackage(SmallSkin, {{"MASTER.BMP", master},
                                                                               {"ButtonHuge.bmp", button},
                                                                               {"GLOW.PNG", glow},
                                                                               {"BKGND.JPG", big},
                                                                               {"SMALL.JPG", small}})));
    Write(folder + "package-options-last",
          Prefixed('P', WritePackage({{"glow.png", glow}, {"OPTIONS.DAT", Bytes("[X]\nA=B\n")}})));
    std::vector<std::uint8_t> alpha = AlphaBitmap(4, 4);
    alpha.push_back(1); // odd last byte: loaded with a colour change
    Write(folder + "entries-bitmap-forms-chain", Entries({Bytes(ChainSkin()), RleMaster(24, 12), alpha}));
    Write(folder + "package-wrong-magic", Prefixed('P', Bytes("KTZF\x01\x00\x00\x00")));
    return 0;
}
