#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

#include "model/Registry.h"
#include "ui/TForm1.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace {

// The check boxes whose state the settings store keeps, by value.
struct Schalter {
    bool Registry::*wert;
    const char* name;
};
constexpr Schalter schalter[] = {
    {&Registry::Keyboard, "JustCursorCheckBox"},
    {&Registry::PingPong, "PingPongCheckBox"},
    {&Registry::SmallFont, "ListenBoxCheckBox"},
    {&Registry::SerialAlignment, "VerschiebungAlleCheckBox"},
    {&Registry::SymmetryAlignment, "StereoAutoJustCheckBox"},
    {&Registry::DrawLines, "HilfslinienCheckBox"},
};

// A scroll bar that belongs to a list or text view rather than being a control of its own.
bool bildlaufleisteEinerAnsicht(QWidget* w)
{
    auto* leiste = qobject_cast<QScrollBar*>(w);
    for (QWidget* p = w->parentWidget(); leiste && p; p = p->parentWidget())
        if (auto* ansicht = qobject_cast<QAbstractScrollArea*>(p))
            return ansicht->horizontalScrollBar() == leiste || ansicht->verticalScrollBar() == leiste;
    return false;
}

// An input control as the lock sees it; the parts of composite controls (the
// edit of a spin box, a tool button standing for an action, the popups of a
// combo box) follow their owner.
bool eingabeElement(QWidget* w)
{
    if (w->window()->windowType() == Qt::Popup)
        return false;
    if (qobject_cast<QLineEdit*>(w))
        return !qobject_cast<QAbstractSpinBox*>(w->parentWidget()) && !qobject_cast<QComboBox*>(w->parentWidget());
    if (auto* knopf = qobject_cast<QToolButton*>(w); knopf && knopf->defaultAction())
        return false;
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)
        || qobject_cast<QAbstractItemView*>(w) || (qobject_cast<QAbstractSlider*>(w) && !bildlaufleisteEinerAnsicht(w));
}


}

Registry TForm1::registryWerte() const
{
    Registry w;
    RegistryAusProgramm(p_, w);
    // A maximised or minimised window keeps the bounds it returns to.
    const QRect lage = normalGeometry().isValid() ? normalGeometry() : geometry();
    w.Top = lage.y();
    w.Left = lage.x();
    w.Height = lage.height();
    w.Width = lage.width();
    w.Hints = MenuHinweis->isChecked();
    w.Setup = MenuEinstellungenSichern->isChecked();
    w.AnimSpeed = AnimationUpDown->value();
    for (const Schalter& s : schalter)
        if (const auto* box = findChild<QCheckBox*>(QLatin1String(s.name)))
            w.*s.wert = box->isChecked();
    w.WindowState = isMinimized() ? 0 : (isMaximized() ? 2 : 1);
    w.RecentProjects = zuletzt_.wert().toStdString();
    return w;
}

void TForm1::Registry_Save()
{
    ::Registry_Save(einstellungen_, registryWerte());
}

void TForm1::Registry_Load()
{
    Registry werte = registryWerte();
    const Registrylesung lesung = ::Registry_Load(einstellungen_, werte);
    if (lesung.stand == RegistryStand::Keine)
        return;
    MenuEinstellungenSichern->setChecked(werte.Setup);
    if (lesung.stand == RegistryStand::Geladen)
        registryAnwenden(werte);
}

void TForm1::registryAnwenden(const Registry& werte)
{
    fensterlageAnwenden(werte);
    RegistryAnwenden(p_, werte);
    QDir::setCurrent(text(p_.ctx.state.bildOeffnenOrdner.string()));
    MenuHinweis->setChecked(werte.Hints);
    MenuHinweisClick();
    for (const Schalter& s : schalter)
        if (auto* box = findChild<QCheckBox*>(QLatin1String(s.name)))
            box->setChecked(werte.*s.wert);
    AnimationUpDown->setValue(werte.AnimSpeed);
    zuletzt_.setWert(text(werte.RecentProjects));
    Zuletzt_Zeigen();
    aktualisieren();
}

void TForm1::fensterlageAnwenden(const Registry& werte)
{
    const Qt::WindowState zustand[] = {Qt::WindowMinimized, Qt::WindowNoState, Qt::WindowMaximized};
    setWindowState(zustand[werte.WindowState]);
    if (werte.WindowState != 1)
        return;
    // Bounds on no screen of today (a monitor since removed) would hide the window.
    const QRect lage(werte.Left, werte.Top, werte.Width, werte.Height);
    for (const QScreen* bildschirm : QGuiApplication::screens())
        if (lage.isValid() && bildschirm->availableGeometry().intersects(lage)) {
            setGeometry(lage);
            return;
        }
}

void TForm1::Zustand_Sichern()
{
    if (gesperrt_)
        return;
    gesperrt_ = true;
    gesperrteElemente_.clear();
    gesperrteAktionen_.clear();
    sperren();
}

void TForm1::sperren()
{
    // A running animation can still be stopped and tuned, a running batch stopped.
    const auto ausgenommen = [this](QWidget* w) {
        return w == AnimationStopBitBtn || w == PingPongCheckBox || w == AnimationUpDown
            || w->objectName() == QLatin1String("BatchEndeBitBtn");
    };
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->testAttribute(Qt::WA_ForceDisabled) || !eingabeElement(w) || ausgenommen(w))
            continue;
        w->setEnabled(false);
        gesperrteElemente_.emplace_back(w);
    }
    // Menu items and tool buttons: every menu's own item and its entries, and the tool bar's actions.
    QList<QAction*> aktionen;
    for (QMenu* menue : menuBar()->findChildren<QMenu*>())
        aktionen << menue->menuAction() << menue->actions();
    for (const QToolBar* leiste : findChildren<QToolBar*>())
        aktionen << leiste->actions();
    for (QAction* a : aktionen) {
        if (a->isSeparator() || !a->isEnabled())
            continue;
        a->setEnabled(false);
        gesperrteAktionen_.emplace_back(a);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{AnimationStopBitBtn, PingPongCheckBox, AnimationUpDown})
        w->setEnabled(true);
}

void TForm1::Zustand_Wiederherstellen()
{
    if (!gesperrt_)
        return;
    gesperrt_ = false;
    for (const QPointer<QWidget>& w : gesperrteElemente_)
        if (w)
            w->setEnabled(true);
    for (const QPointer<QAction>& a : gesperrteAktionen_)
        if (a)
            a->setEnabled(true);
    gesperrteElemente_.clear();
    gesperrteAktionen_.clear();
    aktualisieren();
    Zustand_Regeln();
}

void TForm1::Zustand_Regeln()
{
    const auto element = [this](const char* name) { return findChild<QWidget*>(QLatin1String(name)); };
    const auto schalten = [&](const char* name, bool an) {
        if (QWidget* w = element(name))
            w->setEnabled(an);
    };
    ausschnittTab()->Druckbereich_Umschalten(false);
    for (const char* name : {"OptimumAusschnittButton", "AusschnittAnwendenButton", "AusschnittButton"})
        schalten(name, false);
    const auto* symmetrisch = qobject_cast<QCheckBox*>(element("StereoAutoJustCheckBox"));
    const bool zweiBilder = p_.bilder.anzahl == 2;
    schalten("StereoAutoJustCheckBox", zweiBilder);
    schalten("RefBildOFComboBox", !zweiBilder || !(symmetrisch && symmetrisch->isChecked()));
    schalten("PixelUpDown", p_.compose.Komprimierung == 1);
    if (p_.compose.anaglyphSchema == 0)
        for (const char* name : {"AnaglyphFarbeRadioGroup", "C1TrackBar", "C2TrackBar", "C3TrackBar",
                                 "AnaglyphVerbindenCheckBox"})
            schalten(name, false);
}

void TForm1::AutoJust_Sperre(bool an)
{
    if (an)
        Zustand_Sichern();
    else
        Zustand_Wiederherstellen();
    for (QWidget* w : std::initializer_list<QWidget*>{AnimationStopBitBtn, PingPongCheckBox, AnimationUpDown})
        w->setEnabled(!an);
}

void TForm1::LadeButtons_Zustand(bool an)
{
    for (QPushButton* knopf : {NeuButton, BildEntfernen, HochBitBtn, RunterBitBtn})
        knopf->setEnabled(an);
    if (gesperrt_)
        sperren();
}
