// show_controls [seconds]: one sheet with every control of the set in each
// state (normal, hot, pressed, focused, disabled) and the header panel in
// each header style, shown for the given time so screenshots.sh can take a
// picture of it. Only one control can hold the focus at a time, so the
// "focused" column is photographed control by control first and shown as
// those pictures.

#include "controls/CfCollection.h"
#include "controls/CfEdit.h"
#include "controls/CfScrollControl.h"
#include "platform/GraphicsObjects.h"
#include "platform/Forms.h"
#include "platform/Keys.h"
#include "platform/Label.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace cf;

namespace {

enum State { Normal, Hot, Pressed, Focused, Disabled, StateCount };
const char* const StateNames[StateCount] = {"normal", "hot", "pressed", "focused", "disabled"};

struct Row {
    const char* name;
    int height;
    std::function<TControl*(QWidget*)> make;
    std::function<void(TControl*, State)> apply;
};

// A picture of a control as it looked while it had the focus.
class Snapshot : public QWidget {
public:
    Snapshot(QWidget* parent, const QPixmap& p) : QWidget(parent), pixmap_(p) {}
    void paintEvent(QPaintEvent*) override { QPainter(this).drawPixmap(0, 0, pixmap_); }

private:
    QPixmap pixmap_;
};

void ApplyEdit(TControl* c, State s)
{
    auto* e = static_cast<TCfCustomEdit*>(c);
    if (s == Hot)
        e->MouseEnter();
    if (s == Pressed)
        if (auto* b = dynamic_cast<TCfCustomButtonEdit*>(e); b && b->Button()) {
            b->Button()->Down = true;
            b->Button()->Invalidate();
        }
    if (s == Pressed)
        if (auto* spin = dynamic_cast<TCfSpinEdit*>(e)) {
            spin->Buttons()->OnSpin = nullptr;  // pressed without counting up
            spin->Buttons()->SetPressed(1);
        }
}

void ApplyTwoState(TControl* c, State s)
{
    auto* t = static_cast<TCfTwoStateControl*>(c);
    TRect box = t->BoxRect();
    if (s == Hot || s == Pressed)
        t->MouseMove(0, box.Left + 2, box.Top + 2);
    if (s == Pressed) {
        uint16_t key = VK_SPACE;
        t->KeyDown(key, 0);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    RegisterProgramFonts();
    int seconds = argc > 1 ? std::stoi(argv[1]) : 6;

    std::vector<Row> rows = {
        {"Edit", 21, [](QWidget* p) { auto* e = new TCfEdit(p); e->SetText("Astra 19.2E"); return e; }, ApplyEdit},
        {"Number edit", 21,
         [](QWidget* p) {
             auto* e = new TCfNumberEdit(p);
             e->SetTextAfter(" dB");
             e->SetValue(3);
             return e;
         },
         ApplyEdit},
        {"Spin edit", 21, [](QWidget* p) { auto* e = new TCfSpinEdit(p); e->SetValue(12); return e; }, ApplyEdit},
        {"Button edit", 21,
         [](QWidget* p) {
             auto* e = new TCfCustomButtonEdit(p);
             e->Button()->ButtonCaption = "...";
             e->SetText("/media/hdd");
             return e;
         },
         ApplyEdit},
        {"Preview edit", 21,
         [](QWidget* p) {
             auto* e = new TCfEdit(p);
             e->SetShowPreview(true);
             e->OnCustomPreviewDraw = [e](QObject*, TRect r) { e->Info()->Canvas().FillRect(r, clRed); };
             e->SetText("Red");
             return e;
         },
         ApplyEdit},
        {"Password", 21,
         [](QWidget* p) {
             auto* e = new TCfEdit(p);
             e->SetText("dreambox");
             e->SetPasswordChar(U'#');
             return e;
         },
         ApplyEdit},
        {"Combo box", 21,
         [](QWidget* p) {
             auto* c = new TCfComboBox(p);
             c->SetItems({"Astra", "Hotbird", "Thor"});
             c->SetItemIndex(1);
             return c;
         },
         ApplyEdit},
        {"List combo", 21,
         [](QWidget* p) {
             auto* c = new TCfComboBox(p);
             c->SetItems({"DVB-S", "DVB-C", "DVB-T"});
             c->SetStyle(TDropDownStyle::dsDropDownList);
             c->SetItemIndex(0);
             return c;
         },
         ApplyEdit},
        {"Check box", 21,
         [](QWidget* p) {
             auto* b = new TCfCheckBox(p);
             b->SetCaption("Show all");
             b->SetChecked(true);
             return b;
         },
         ApplyTwoState},
        {"Radio button", 21,
         [](QWidget* p) {
             auto* b = new TCfRadioButton(p);
             b->SetCaption("Decimal");
             b->SetChecked(true);
             return b;
         },
         ApplyTwoState},
        {"Button", 23,
         [](QWidget* p) { auto* b = new TCfButton(p); b->SetCaption("&Save"); return b; },
         [](TControl* c, State s) {
             auto* b = static_cast<TCfButton*>(c);
             if (s == Hot || s == Pressed)
                 b->MouseEnter();
             if (s == Pressed)
                 b->SetDown(true);
         }},
        {"Scroll control", 70,
         [](QWidget* p) {
             auto* s = new TCfScrollControl(p);
             s->SetBorderStyle(TBorderStyle::bsSingle);
             s->Color = clWindow;
             s->VertScrollBar()->SetPageSize(10);
             s->VertScrollBar()->SetMax(100);
             s->VertScrollBar()->SetPosition(30);
             s->HorzScrollBar()->SetPageSize(50);
             s->HorzScrollBar()->SetMax(200);
             return s;
         },
         [](TControl*, State) {}},
    };

    TForm form;
    form.SetCaption("Control states");
    form.Color = clWindow;
    const int labelWidth = 100, cellWidth = 140, cellGap = 12, rowGap = 10, top = 34;
    int y = top;
    for (int s = 0; s < StateCount; ++s) {
        auto* l = new TLabel(&form);
        l->SetBounds(labelWidth + s * (cellWidth + cellGap), 10, cellWidth, 16);
        l->SetCaption(StateNames[s]);
    }
    std::vector<std::vector<TControl*>> cells;
    for (const Row& r : rows) {
        auto* l = new TLabel(&form);
        l->SetBounds(10, y + 3, labelWidth - 10, 16);
        l->SetCaption(r.name);
        std::vector<TControl*> line;
        for (int s = 0; s < StateCount; ++s) {
            TControl* c = r.make(&form);
            c->SetBounds(labelWidth + s * (cellWidth + cellGap), y, cellWidth, r.height);
            line.push_back(c);
        }
        cells.push_back(line);
        y += r.height + rowGap;
    }
    // The header panel in each header style, in the state columns' places.
    auto* headers = new TLabel(&form);
    headers->SetBounds(10, y + 8, labelWidth - 10, 16);
    headers->SetCaption("Header styles");
    const TCfHeaderStyle styles[] = {psFlat, psNormal, psSectionHeader, psVista, psWindowsLive};
    const char* const styleNames[] = {"psFlat", "psNormal", "psSectionHeader", "psVista", "psWindowsLive"};
    for (int i = 0; i < 5; ++i) {
        auto* h = new TCfHeaderPanel(&form);
        h->SetBounds(labelWidth + i * (cellWidth + cellGap), y, cellWidth, 60);
        h->SetHeaderStyle(styles[i]);
        h->SetCaption(styleNames[i]);
    }
    y += 60 + rowGap;
    form.SetClientSize(labelWidth + StateCount * (cellWidth + cellGap), y);

    // A place for the focus to rest once every control has been photographed.
    auto* rest = new QWidget(&form);
    rest->setGeometry(0, 0, 1, 1);
    rest->setFocusPolicy(Qt::StrongFocus);

    form.Show();
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    for (size_t i = 0; i < rows.size(); ++i)
        for (int s = 0; s < StateCount; ++s) {
            if (s == Disabled)
                cells[i][s]->SetEnabled(false);
            else
                rows[i].apply(cells[i][s], State(s));
        }
    for (auto& line : cells) {
        TControl* c = line[Focused];
        c->SetFocus();
        QApplication::processEvents();
        c->Render();
        QPixmap picture = c->grab();
        auto* shot = new Snapshot(&form, picture);
        shot->setGeometry(c->geometry());
        c->hide();
        shot->show();
    }
    rest->setFocus();
    QApplication::processEvents();
    std::puts("ready");
    std::fflush(stdout);
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
