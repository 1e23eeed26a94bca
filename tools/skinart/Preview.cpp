#include "Preview.h"

#include "SkinLoader.h"
#include "SkinPaint.h"

#include <QFont>
#include <QPainter>

namespace {

class Sampler {
public:
    Sampler(const SkinTables& skin, QPainter& painter) : Skin(skin), P(painter) {}

    int Section(const char* name) const { return Skin.FindSection(name); }

    void Background(const char* section, const QRect& rect, TsState state = TsState::Normal,
                    bool border = true) {
        DrawSectionBackground(P, Skin, SectionPaint{Section(section), rect, state, border});
    }
    void Text(const char* section, const QRect& rect, const QString& text, TsState state = TsState::Normal,
              int flags = Qt::AlignCenter) {
        if (const TsGeneralData* s = Skin.Section(Section(section)))
            DrawCaption(P, *s, CaptionPaint{text, rect, flags, state});
    }
    void Control(const char* section, const QRect& rect, const QString& text, TsState state) {
        Background(section, rect, state);
        Text(section, rect, text, state);
    }
    const TsMaskData* SectionMaskOf(const char* section, SectionMask which) const {
        const TsGeneralData* s = Skin.Section(Section(section));
        return s != nullptr ? Skin.Mask(s->Mask(which)) : nullptr;
    }
    const TsMaskData* Global(const char* key) const {
        return Skin.Mask(Skin.FindMask(Section("GLOBALINFO"), "GLOBALINFO", key));
    }
    void Glyph(const TsMaskData* mask, const QRect& place, TsState state) {
        if (mask != nullptr)
            DrawGlyph(P, *mask, place, state);
    }
    // NextAlpha's glow behind a hot title button: the picture over the button grown by the glow size.
    void TitleGlow(const char* key, const QRect& button) {
        const std::string glowKey = std::string(key) + "GLOW0";
        const TsMaskData* glow = Global(glowKey.c_str());
        const TsSkinData& g = Skin.SkinData;
        const int grow = std::string(key) == "BICONCLOSE" ? g.BICloseGlow
                         : std::string(key) == "BICONMAX" ? g.BIMaxGlow
                                                          : g.BIMinGlow;
        if (glow != nullptr && grow > 0)
            P.drawImage(button.adjusted(-grow, -grow, grow, grow), glow->Picture);
    }
    void Label(const QRect& rect, const QString& text) {
        Text("FORM", rect, text, TsState::Normal, Qt::AlignLeft | Qt::AlignVCenter);
    }

    // A vertical scroll bar: arrow buttons, the tracks before and after the slider, the slider.
    void VerticalScrollBar(const QRect& r, TsState thumbState) {
        const QRect up(r.left(), r.top(), r.width(), 16), down(r.left(), r.bottom() - 15, r.width(), 16);
        const int thumbTop = up.bottom() + 1 + (r.height() - 32) / 5;
        const QRect thumb(r.left(), thumbTop, r.width(), std::max(18, (r.height() - 32) / 3));
        Background("SCROLLBAR1V",
                   QRect(QPoint(r.left(), up.bottom() + 1), QPoint(r.right(), thumb.top() - 1)));
        Background("SCROLLBAR2V",
                   QRect(QPoint(r.left(), thumb.bottom() + 1), QPoint(r.right(), down.top() - 1)));
        Button("SCROLLBTNTOP", up, TsState::Normal);
        Button("SCROLLBTNBOTTOM", down, TsState::Hot);
        Button("SCROLLSLIDERV", thumb, thumbState);
    }
    void HorizontalScrollBar(const QRect& r, TsState thumbState) {
        const QRect left(r.left(), r.top(), 16, r.height()), right(r.right() - 15, r.top(), 16, r.height());
        const QRect thumb(left.right() + 1 + (r.width() - 32) / 3, r.top(), (r.width() - 32) / 3, r.height());
        Background("SCROLLBAR1H",
                   QRect(QPoint(left.right() + 1, r.top()), QPoint(thumb.left() - 1, r.bottom())));
        Background("SCROLLBAR2H",
                   QRect(QPoint(thumb.right() + 1, r.top()), QPoint(right.left() - 1, r.bottom())));
        Button("SCROLLBTNLEFT", left, TsState::Pressed);
        Button("SCROLLBTNRIGHT", right, TsState::Disabled);
        Button("SCROLLSLIDERH", thumb, thumbState);
    }
    void Button(const char* section, const QRect& r, TsState state) {
        Background(section, r, state);
        Glyph(SectionMaskOf(section, SectionMask::GlyphMask), r, state);
    }
    void Combo(const QRect& r, const QString& text, TsState state) {
        Background("COMBOBOX", r, state);
        const QRect button(r.right() - 16, r.top() + 2, 15, r.height() - 4);
        Background("COMBOBTN", button, state);
        Glyph(SectionMaskOf("COMBOBOX", SectionMask::GlyphMask), button, state);
        Text("COMBOBOX", r.adjusted(0, 0, -17, 0), text, state);
    }

    const SkinTables& Skin;
    QPainter& P;
};

// The main window: frame, title with its buttons, and the controls where the window has them.
void MainWindow(Sampler& s, const QPoint& at) {
    // The frameless window as the provider lays it out: the title strip across the top, the frame
    // drawn over everything, the client inset by the border and the title height.
    const TsSkinData& g = s.Skin.SkinData;
    const int bw = g.BorderWidth, th = g.TitleHeight;
    const QRect window(at, QSize(734 + 2 * bw, 414 + th + bw));
    const QRect title(window.topLeft(), QSize(window.width(), th));
    const QPoint client(window.left() + bw, window.top() + th);
    s.Background("FORM", window, TsState::Normal, false);
    s.Background("FORMTITLE", title);
    if (const TsMaskData* frame = s.SectionMaskOf("FORM", SectionMask::BordersMask))
        DrawMask(s.P, *frame, window, TsState::Normal);
    const QRect band(title.left() + bw, title.top() + bw, title.width() - 2 * bw, th - bw);
    s.Text("FORMTITLE", band.adjusted(26, 0, 0, 0), QStringLiteral("Quellmark v0.0.2"), TsState::Normal,
           Qt::AlignLeft | Qt::AlignVCenter);
    int right = window.right() + 1 - g.BIRight - bw;
    const struct {
        const char* Key;
        TsState State;
    } buttons[] = {
        {"BICONCLOSE", TsState::Hot}, {"BICONMAX", TsState::Normal}, {"BICONMIN", TsState::Normal}};
    for (const auto& b : buttons) {
        const TsMaskData* m = s.Global(b.Key);
        if (m == nullptr)
            continue;
        const QSize size(m->ColumnWidth(), m->Picture.height());
        const QRect place(QPoint(right - size.width(), window.top() + g.BITop), size);
        if (b.State == TsState::Hot)
            s.TitleGlow(b.Key, place);
        s.Glyph(m, place, b.State);
        right = place.left() - g.BISpace;
    }

    const auto c = [&](int x, int y, int w, int h) {
        return QRect(client + QPoint(x, y), QSize(w, h));
    };
    s.Control("SPEEDBUTTON", c(16, 16, 80, 21), QStringLiteral("원본파일"), TsState::Focused);
    s.Background("EDIT", c(104, 16, 615, 21), TsState::Disabled);
    s.Text("EDIT", c(108, 16, 600, 21), QStringLiteral("/home/data/shop.fdb"), TsState::Disabled,
           Qt::AlignLeft | Qt::AlignVCenter);
    s.Control("SPEEDBUTTON", c(16, 48, 80, 21), QStringLiteral("백업파일"), TsState::Disabled);
    s.Background("EDIT", c(104, 48, 615, 21), TsState::Normal);
    s.Text("EDIT", c(108, 48, 600, 21), QStringLiteral("/home/data/shop.BAK"), TsState::Normal,
           Qt::AlignLeft | Qt::AlignVCenter);
    s.Control("SPEEDBUTTON", c(16, 80, 80, 80), QStringLiteral("백업"), TsState::Hot);
    s.Background("EDIT", c(104, 80, 615, 80), TsState::Pressed);
    s.Text("EDIT", c(108, 84, 580, 16), QStringLiteral("/home/data/shop.fdb 연결성공."), TsState::Normal,
           Qt::AlignLeft | Qt::AlignVCenter);
    s.VerticalScrollBar(c(702, 81, 16, 78), TsState::Hot);
    s.Control("SPEEDBUTTON", c(16, 173, 80, 125), QStringLiteral("최적화"), TsState::Pressed);
    s.Background("EDIT", c(104, 173, 615, 125), TsState::Hot);
    s.Text("EDIT", c(108, 177, 580, 16), QStringLiteral("/home/data/shop.fdb 데이터베이스 최적화 완료."),
           TsState::Normal, Qt::AlignLeft | Qt::AlignVCenter);
    s.VerticalScrollBar(c(702, 174, 16, 123), TsState::Normal);
    s.Control("SPEEDBUTTON", c(16, 310, 80, 21), QStringLiteral("확인"), TsState::Normal);
    s.Background("EDIT", c(104, 310, 615, 21), TsState::Disabled);
    s.Control("SPEEDBUTTON", c(16, 342, 80, 21), QStringLiteral("종료"), TsState::Normal);
    s.Combo(c(619, 342, 100, 21), QStringLiteral("LongHorn"), TsState::Normal);
    s.Text("FORM", c(0, 367, 734, 13), QStringLiteral("6,246,400 - 3,821,568 = 2,424,832"));
    const QRect gauge = c(0, 380, 734, 12);
    s.Background("GAUGE", gauge);
    const QRect filled(gauge.topLeft(), QSize(734 * 47 / 100, gauge.height()));
    s.Background("PROGRESSH", filled);
    if (const TsMaskData* glow = s.SectionMaskOf("PROGRESSH", SectionMask::Lrgn)) {
        s.P.save();
        s.P.setClipRect(filled);
        s.P.setOpacity(0.5);
        DrawRegion(s.P, *glow, QRect(filled.right() - 120, filled.top(), 160, filled.height()));
        s.P.restore();
    }
    s.Text("GAUGE", gauge, QStringLiteral("47%"));
    const QRect status = c(0, 392, 734, 22);
    s.Background("STATUSBAR", status);
    s.Text("STATUSBAR", QRect(status.topLeft(), QSize(250, 22)),
           QStringLiteral("원본파일은 미리 복사해두시기 바랍니다."));
    s.Text("STATUSBAR", QRect(status.topLeft() + QPoint(250, 0), QSize(484, 22)),
           QStringLiteral("Morvane 0.0.2"));
}

const TsState States[] = {TsState::Normal, TsState::Hot, TsState::Pressed, TsState::Disabled,
                          TsState::Focused};
const char* const StateNames[] = {"normal", "hot", "pressed", "disabled", "focused"};

// The dialogs' controls and every glyph, in every state, on the dialog background.
void Dialogs(Sampler& s, const QRect& area) {
    s.Background("DIALOG", area, TsState::Normal, false);
    const QPoint o = area.topLeft() + QPoint(12, 12);
    for (int i = 0; i < 5; ++i) {
        s.Control("BUTTON", QRect(o + QPoint(i * 92, 0), QSize(84, 23)), QString::fromLatin1(StateNames[i]),
                  States[i]);
        s.Control("TOOLBUTTON", QRect(o + QPoint(i * 92, 32), QSize(60, 22)), QStringLiteral("Tool"),
                  States[i]);
    }
    // Check boxes and radio buttons: one row per glyph, one column per state.
    const char* glyphs[] = {"BOXCHECKED",  "BOXUNCHECKED", "BOXGRAYED",      "RADIOCHECKED", "RADIOUNCHECKED",
                            "RADIOGRAYED", "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED"};
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 4; ++col)
            s.Glyph(s.Global(glyphs[row]), QRect(o + QPoint(col * 22, 66 + row * 18), QSize(16, 16)),
                    States[col]);
    s.Label(QRect(o + QPoint(92, 66), QSize(100, 16)), QStringLiteral("Check 확인"));
    // Title buttons in their three states.
    const char* icons[] = {"BICONCLOSE", "BICONMAX", "BICONNORM", "BICONMIN", "BICONHELP"};
    const int th = s.Skin.SkinData.TitleHeight;
    const QRect titleStrip(o + QPoint(200, 66), QSize(260, th * 3));
    for (int row = 0; row < 3; ++row) {
        s.Background("FORMTITLE",
                     QRect(titleStrip.left(), titleStrip.top() + row * th, titleStrip.width(), th),
                     row == 2 ? TsState::Disabled : TsState::Normal);
        for (int i = 0; i < 5; ++i) {
            const TsMaskData* m = s.Global(icons[i]);
            if (m == nullptr)
                continue;
            const QSize size(m->ColumnWidth(), m->Picture.height());
            const QRect place(titleStrip.topLeft() +
                                  QPoint(8 + i * (size.width() + 10), row * th + s.Skin.SkinData.BITop),
                              size);
            if (row == 1)
                s.TitleGlow(icons[i], place);
            s.Glyph(m, place, States[row]);
        }
    }
    // A list with a header, selected items and a horizontal scroll bar.
    const QRect list(o + QPoint(0, 240), QSize(300, 150));
    s.Background("EDIT", list, TsState::Normal);
    for (int i = 0; i < 3; ++i)
        s.Control("COLHEADER", QRect(list.left() + 2 + i * 98, list.top() + 2, 98, 20),
                  QStringLiteral("Name"), States[i]);
    const QStringList items = {"shop.fdb", "orders.fdb", "archive.gdb", "test.fdb"};
    for (int i = 0; i < 4; ++i) {
        const QRect item(list.left() + 2, list.top() + 24 + i * 20, 296, 20);
        if (i == 1 || i == 2)
            s.Background("SELECTION", item, i == 1 ? TsState::Hot : TsState::Normal);
        s.Text(i == 1 || i == 2 ? "SELECTION" : "EDIT", item.adjusted(6, 0, 0, 0), items[i],
               i == 1 ? TsState::Hot : TsState::Normal, Qt::AlignLeft | Qt::AlignVCenter);
    }
    s.HorizontalScrollBar(QRect(list.left() + 2, list.bottom() - 17, 296, 16), TsState::Pressed);
    // Combo boxes, edits, tabs, menu, hint, group box, progress.
    for (int i = 0; i < 4; ++i)
        s.Combo(QRect(o + QPoint(320 + (i % 2) * 120, 240 + (i / 2) * 28), QSize(110, 21)),
                QString::fromLatin1(StateNames[i]), States[i]);
    for (int i = 0; i < 4; ++i) {
        const QRect e(o + QPoint(320 + (i % 2) * 120, 300 + (i / 2) * 28), QSize(110, 21));
        s.Background("EDIT", e, States[i]);
        s.Text("EDIT", e.adjusted(5, 0, 0, 0), QString::fromLatin1(StateNames[i]), States[i],
               Qt::AlignLeft | Qt::AlignVCenter);
    }
    const QRect page(o + QPoint(580, 22), QSize(300, 120));
    s.Background("PAGECONTROL", page);
    for (int i = 0; i < 3; ++i) {
        const TsState state = i == 0 ? TsState::Pressed : i == 1 ? TsState::Hot : TsState::Normal;
        const QRect tab(page.left() + 2 + i * 72, page.top() - 22 + (i == 0 ? 0 : 2), 72, i == 0 ? 23 : 21);
        s.Control("TABTOP", tab, QStringLiteral("Tab %1").arg(i + 1), state);
    }
    s.Background("GROUPBOX", QRect(page.left() + 12, page.top() + 20, 276, 88));
    s.Text("GROUPBOX", QRect(page.left() + 20, page.top() + 12, 60, 16), QStringLiteral("Group"),
           TsState::Normal, Qt::AlignLeft | Qt::AlignVCenter);
    const QRect menu(o + QPoint(580, 160), QSize(160, 98));
    s.Background("MAINMENU", menu);
    const QStringList entries = {"Open", "Save", "", "Exit"};
    for (int i = 0; i < 4; ++i) {
        const QRect item(menu.left() + 2, menu.top() + 3 + i * 23, 156, entries[i].isEmpty() ? 8 : 22);
        if (entries[i].isEmpty()) {
            s.Background("MENULINE", QRect(item.left() + 4, item.top() + 3, item.width() - 8, 2));
            continue;
        }
        s.Background("MENUITEM", item, i == 1 ? TsState::Hot : TsState::Normal);
        s.Text("MENUITEM", item.adjusted(24, 0, 0, 0), entries[i], i == 1 ? TsState::Hot : TsState::Normal,
               Qt::AlignLeft | Qt::AlignVCenter);
        if (i == 0)
            s.Glyph(s.Global("SMALLCHECKED"), QRect(item.left() + 4, item.top(), 16, 22), TsState::Normal);
    }
    s.Control("HINT", QRect(o + QPoint(760, 160), QSize(80, 22)), QStringLiteral("Skin"), TsState::Normal);
    for (int i = 0; i < 3; ++i) {
        const QRect huge(o + QPoint(580 + i * 100, 280), QSize(92, 60));
        s.Control("BUTTON_HUGE", huge, QString::fromLatin1(StateNames[i]), States[i]);
    }
}

} // namespace

QImage PreviewSheet(const std::vector<std::uint8_t>& package) {
    const SkinTablesPtr skin = LoadSkinPackage(package, nullptr);
    QImage sheet(1040, 980, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor("#808080"));
    QPainter painter(&sheet);
    QFont font(QStringLiteral("NanumGothic"));
    font.setPixelSize(11);
    painter.setFont(font);
    Sampler sampler(*skin, painter);
    MainWindow(sampler, QPoint(10, 10));
    Dialogs(sampler, QRect(10, 490, 1020, 480));
    return sheet;
}
