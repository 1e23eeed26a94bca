#pragma once
// A window wired to its placement component the way the main window is: the component is
// created with the window and hooked in, the creation step gives it its file and activates it,
// errors go to the window's error box (here: a list), and the destructor runs the destroy hook.

#include "FormPosition.h"
#include "Placemnt.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QWidget>
#include <string>
#include <vector>

class TPlacementTestForm : public QWidget {
    Q_OBJECT

public:
    explicit TPlacementTestForm(const std::string& iniFileName, Qt::WindowFlags flags = {})
        : QWidget(nullptr, flags) {
        setObjectName("PlacementTestForm");
        resize(400, 300);
        SetFormPosition(this, TPosition::poScreenCenter);
        sButton1 = AddButton("sButton1", 16, true);
        sButton2 = AddButton("sButton2", 48, false);
        sButton3 = AddButton("sButton3", 80, true);
        FormPct = new TFormPlacement(this);
        FormPct->setObjectName("FormPct");
        FormPct->Active = false;
        FormPct->Options = {TPlacementOption::fpState, TPlacementOption::fpPosition,
                            TPlacementOption::fpActiveControl};
        FormPct->Loaded();
        FormPct->ErrorReporter = [this](const std::string& message) {
            Errors.push_back(message);
        };
        // The creation handler's placement steps.
        FormPct->IniFileName = iniFileName;
        FormPct->Active = true;
    }
    ~TPlacementTestForm() override { FormPct->OwnerDestroying(); }

    TFormPlacement* FormPct;
    QPushButton* sButton1;
    QPushButton* sButton2;
    QPushButton* sButton3;
    std::vector<std::string> Errors;
    bool RefuseClose = false; // the window's own close handler failing
    int CloseHandlerRuns = 0;

protected:
    void showEvent(QShowEvent* event) override {
        if (!event->spontaneous())
            ApplyFormPosition(this);
    }
    void closeEvent(QCloseEvent* event) override {
        ++CloseHandlerRuns;
        if (RefuseClose)
            event->ignore();
    }

private:
    QPushButton* AddButton(const char* name, int top, bool enabled) {
        auto* button = new QPushButton(name, this);
        button->setObjectName(name);
        button->setGeometry(16, top, 80, 21);
        button->setEnabled(enabled);
        return button;
    }
};
