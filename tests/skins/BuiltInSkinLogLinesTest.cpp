// The coloured log lines under each built-in skin, as drawn: the edit shows its own background
// under the text, and each line is painted in a colour with 4.5:1 on it (where a stroke covers
// a whole pixel), whether the colour was kept or moved.
#include "BuiltInSkinManagerFixture.h"
#include "ReadableColors.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextBlock>
#include <QTextEdit>
#include <QWindow>
#include <algorithm>

using BuiltInSkinLogLinesTest = BuiltInSkinManagerTest;

TEST_P(BuiltInSkinLogLinesTest, ColouredLinesArePaintedInAReadableColourOnTheEditsBackground) {
    manager->ThirdParty.SetText(TsThirdPartyKind::ThirdEdits, QStringLiteral(" \r\nQTextEdit"));
    manager->ThirdParty.Loaded();
    QWidget form;
    form.resize(400, 200);
    auto* edit = new QTextEdit(&form);
    edit->setGeometry(10, 10, 380, 180);
    edit->setReadOnly(true);
    QFont font(QStringLiteral("NanumGothic"));
    font.setPixelSize(11);
    font.setHintingPreference(QFont::PreferNoHinting);
    edit->setFont(font);
    form.show();
    for (int i = 0; i < 100 && !(form.windowHandle() && form.windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const QList<QColor> written{QColor(0, 128, 0), QColor(255, 0, 0), QColor(0, 0, 255), QColor(Qt::black)};
    QTextCursor cursor(edit->document());
    for (const QColor& color : written) {
        QTextCharFormat format;
        format.setProperty(WrittenColorProperty, color);
        format.setForeground(ShownWrittenColor(edit, color));
        if (color != written.first())
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("/home/data/shop.fdb 백업파일 만들기 완료."), format);
    }
    QCoreApplication::processEvents();
    const QImage drawn = edit->viewport()->grab().toImage();
    const QColor base = edit->palette().color(QPalette::Base);
    QTextBlock block = edit->document()->begin();
    for (const QColor& color : written) {
        const QRect line = edit->document()->documentLayout()->blockBoundingRect(block).toAlignedRect();
        double painted = 1;
        for (int y = line.top(); y <= line.bottom() && y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                painted = std::max(painted, ContrastRatio(drawn.pixelColor(x, y), base));
        EXPECT_GE(painted, 4.5) << GetParam() << " " << qPrintable(color.name());
        EXPECT_EQ(drawn.pixelColor(line.right() - 2, line.center().y()), base)
            << GetParam() << ": what lies under the text is the edit's own background";
        block = block.next();
    }
}

INSTANTIATE_FOR_EVERY_BUILT_IN_SKIN(BuiltInSkinLogLinesTest);
