#pragma once
#include <QGroupBox>
#include <functional>

#include "model/Programm.h"

// One panel of the tab control. It mirrors its records: a handler writes a
// record and asks the window to recompute; aktualisieren() shows the records.
class Tab : public QGroupBox {
    Q_OBJECT
public:
    Tab(Programm& p, const char* name, const char* titel);
    virtual void aktualisieren() {}
    // A new project: controls whose values no record keeps go back to their defaults.
    virtual void zuruecksetzen() {}

signals:
    // Run the pipeline from this level; the window shows the busy display meanwhile.
    void rechnen(int level);
    // Records the window shows outside the panels changed without a recompute.
    void anzeigen();
    // Run a command that ends in its own recompute, with the window's busy display.
    void befehl(const std::function<void()>& ausfuehren);
    // Lock (true) or unlock the window's input controls around a long run.
    void sperren(bool an);

protected:
    Programm& p_;
};

class QHBoxLayout;
class QSpinBox;

// Two sizes side by side as "breite x hoehe", each from min to max, the row's rest empty.
QHBoxLayout* Groessenzeile(QSpinBox* breite, QSpinBox* hoehe, int min, int max);

// The twelve panels in tab order; panels whose functions are not built yet are disabled.
std::vector<Tab*> TabsAnlegen(Programm& p);
