#pragma once
// A small skin for the controls' tests: a 3-pixel red frame, a 24-pixel title, three-column
// title buttons, a gauge whose progress section has (or lacks) a glow region, an edit section,
// a navy selection framed by the red ring, and scroll bar parts in plain colours: red left button, blue right button, green slider, grey
// track before the slider and white after it.

#include "PictureWriters.h"
#include "SkinTestPictures.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <string>

inline QImage ControlsMaster() {
    QImage master(64, 64, QImage::Format_RGB32);
    master.fill(qRgb(255, 0, 255));
    QPainter p(&master);
    p.fillRect(0, 0, 12, 12, qRgb(200, 0, 0)); // frame: red ring around a magenta centre
    p.fillRect(3, 3, 6, 6, qRgb(255, 0, 255));
    p.fillRect(16, 0, 16, 16, qRgb(10, 10, 200)); // close button: blue, green, black columns
    p.fillRect(32, 0, 16, 16, qRgb(10, 200, 10));
    p.fillRect(48, 0, 16, 16, qRgb(0, 0, 0));
    p.fillRect(0, 16, 12, 12, qRgb(255, 255, 255)); // the glow region: all of it
    return master;
}

inline QByteArray ControlsSkin(bool glowRegion) {
    const std::string options =
        "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\nTITLEHEIGHT=24\r\nBORDERWIDTH=3\r\nBIRIGHT=2\r\nBISPACE="
        "1\r\n"
        "BICONCLOSE=@0016@0000@0064@0016@3@0\r\nBICONMIN=@0016@0000@0064@0016@3@0\r\n"
        "[FORM]\r\nCOLOR=15790320\r\nBORDERSMASK=^0000^0000^0012^0012^0003^0003^0003^0003^1^0^5^0\r\n"
        "[FORMTITLE]\r\nCOLOR=8421504\r\nFONTCOLOR=16777215\r\n"
        "[EDIT]\r\nCOLOR=2105376\r\nFONTCOLOR=15790320\r\n"
        "[SPEEDBUTTON]\r\nCOLOR=12632256\r\nHOTCOLOR=16777215\r\n"
        "[COMBOBOX]\r\nCOLOR=16777215\r\nFONTCOLOR=0\r\n[COMBOBTN]\r\nCOLOR=12632256\r\n"
        "[SELECTION]\r\nCOLOR=8388608\r\nFONTCOLOR=16777215\r\n"
        "BORDERSMASK=^0000^0000^0012^0012^0003^0003^0003^0003^1^0^5^0\r\n"
        "[GAUGE]\r\nCOLOR=16777215\r\nFONTCOLOR=0\r\n"
        "[SCROLLBTNLEFT]\r\nCOLOR=255\r\n[SCROLLBTNRIGHT]\r\nCOLOR=16711680\r\n"
        "[SCROLLBTNTOP]\r\nCOLOR=255\r\nBORDERSMASK=^0016^0000^0048^0016^0003^0003^0003^0003^3^0^5^0\r\n"
        "[SCROLLBTNBOTTOM]\r\nCOLOR=255\r\n[SCROLLSLIDERV]\r\nCOLOR=65280\r\n[SCROLLBAR1V]\r\nCOLOR=8421504\r\n"
        "[SCROLLSLIDERH]\r\nCOLOR=65280\r\n[SCROLLBAR1H]\r\nCOLOR=8421504\r\n[SCROLLBAR2H]\r\nCOLOR=16777215\r\n"
        "[PROGRESSH]\r\nCOLOR=255\r\nFONTCOLOR=16777215\r\n" +
        std::string(glowRegion ? "LRGN=^0000^0016^0012^0028^0003^0003^0003^0003^1^0^5^0\r\n" : "");
    const std::vector<std::uint8_t> bytes =
        TestPackage(options, {{"Master.bmp", EncodeBitmap(ControlsMaster(), 24)}});
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}
