#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "commands/Batch.h"
#include "commands/Bilder.h"
#include "commands/Drucken.h"
#include "commands/Liste.h"
#include "commands/Projekt.h"
#include "compose/Pipeline.h"
#include "platform/qt/Dateiverknuepfung.h"
#include "platform/qt/Oberflaeche.h"
#include "ui/Dialoge.h"
#include "ui/Symbole.h"
#include "ui/Tab.h"
#include "ui/TForm1.h"
#include "ui/TFormLinsenansicht.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace {

using Sprache::MeldungNr;
using Sprache::Titel;
namespace M = Sprache::Menue;

struct BildFormat {
    const char* menue;
    const char* code;
    const char* filter;
    const char* endung;
};

constexpr BildFormat bildFormate[] = {
    {M::FormatJpg, "JPG", Sprache::JpgDateiFilter, "jpg"},
    {M::FormatBmp, "BMP", Sprache::BmpDateiFilter, "bmp"},
    {M::FormatTga, "TGA", Sprache::TgaDateiFilter, "tga"},
    {M::FormatTif, "TIF", Sprache::TifDateiFilter, "tif"},
    {M::FormatTifCmyk, "TIF_CMYK", Sprache::TifDateiFilter, "tif"},
    {M::FormatMpo, "MPO", Sprache::MpoDateiFilter, "mpo"},
};

// The maker's and the anaglyph system's pages; addresses of our own choosing.
const QUrl herstellerSeite(QStringLiteral("https://orbelin.example/"));
const QUrl anaglyphSeite(QStringLiteral("https://colorcode-3d.example/"));

}

void TForm1::menuAnlegen()
{
    const auto eintrag = [this](QMenu* menu, const char* name, const char* beschriftung, auto handler,
                                const char* kuerzel = nullptr) {
        QAction* a = menu->addAction(text(beschriftung));
        a->setObjectName(QString::fromLatin1(name));
        if (kuerzel)
            a->setShortcut(QKeySequence(QString::fromLatin1(kuerzel)));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    const auto menue = [this](const char* name, const char* beschriftung) {
        QMenu* m = menuBar()->addMenu(text(beschriftung));
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    QMenu* datei = menue("MenuDatei", M::Datei);
    eintrag(datei, "MenuProjektNeu", M::ProjektNeu, &TForm1::MenuProjektNeuClick);
    eintrag(datei, "MenuProjektOeffnen", M::ProjektOeffnen, &TForm1::MenuProjektOeffnenClick, "Ctrl+O");
    MenuZuletzt = datei->addMenu(text(Sprache::ZuletztGeoeffnet));
    MenuZuletzt->setObjectName(QStringLiteral("MenuZuletzt"));
    eintrag(datei, "MenuProjektSpeichernUnter", M::ProjektSpeichernUnter, &TForm1::MenuProjektSpeichernUnterClick);
    eintrag(datei, "MenuProjektSpeichern", M::ProjektSpeichern, &TForm1::MenuProjektSpeichernClick, "Ctrl+S");
    datei->addSeparator();
    eintrag(datei, "MenuBildHinzufuegen", M::BildHinzufuegen, &TForm1::NeuButtonClick, "Ctrl+A");
    eintrag(
        datei, "MenuBildLoeschen", M::BildEntfernen,
        [this] {
            BildEntfernenClick(p_);
            aktualisieren();
        },
        "Ctrl+D");
    QMenu* speichern = datei->addMenu(text(M::BildSpeichernUnter));
    speichern->setObjectName(QStringLiteral("MenuBildspeicherunter"));
    for (const BildFormat& f : bildFormate)
        connect(speichern->addAction(text(f.menue)), &QAction::triggered, this,
                [this, &f] { BildSpeichernUnterClick(QString::fromLatin1(f.code)); });
    MenuAnimationSpeichern
        = eintrag(datei, "MenuAnimationSpeichern", M::AnimationSpeichern, &TForm1::MenuAnimationSpeichernClick);
    datei->addSeparator();
    eintrag(datei, "MenuDrucken", M::Drucken, &TForm1::DruckButtonClick, "Ctrl+P");
    datei->addSeparator();
    eintrag(datei, "MenuEnde", M::Ende, [this] { close(); }, "Alt+F4");

    QMenu* bearbeiten = menue("MenuBearbeiten", M::Bearbeiten);
    eintrag(bearbeiten, "MenuKopieren", M::Kopieren, &TForm1::MenuKopierenClick, "Ctrl+C");

    QMenu* extras = menue("MenuExtras", M::Extras);
    // The check mark toggles itself; the settings store keeps it.
    MenuEinstellungenSichern
        = eintrag(extras, "MenuEinstellungenSichern", M::EinstellungenSichern, [] {});
    MenuEinstellungenSichern->setCheckable(true);
    MenuEinstellungenSichern->setChecked(true);
    extras->addSeparator();
    eintrag(extras, "MenuLVXein", M::VerknuepfungEin, &TForm1::MenuLVXeinClick);
    eintrag(extras, "MenuLVXaus", M::VerknuepfungAus, &TForm1::MenuLVXausClick);
    extras->addSeparator();
    eintrag(extras, "MenuScreen", M::Screenshot, &TForm1::MenuScreenClick, "Ctrl+F12");

    QMenu* hilfe = menue("MenuHilfe", M::Hilfe);
    MenuHinweis = eintrag(hilfe, "MenuHinweis", M::Hinweis, &TForm1::MenuHinweisClick);
    MenuHinweis->setCheckable(true);
    MenuHinweis->setChecked(true);
    eintrag(hilfe, "MenuDOKU", M::Dokumentation, &TForm1::MenuDOKUClick);
    eintrag(hilfe, "MenuHomeOrbelin", M::HomepageHersteller, [] { QDesktopServices::openUrl(herstellerSeite); });
    eintrag(hilfe, "MenuHomeColorCode3D", M::HomepageAnaglyph, [] { QDesktopServices::openUrl(anaglyphSeite); });
    eintrag(hilfe, "MenuInfo", M::Info, &TForm1::MenuInfoClick);

    QToolBar* leiste = addToolBar(QStringLiteral("ToolBar1"));
    leiste->setObjectName(QStringLiteral("ToolBar1"));
    leiste->setMovable(false);
    const auto knopf = [this, leiste](const char* name, const QIcon& bild, const char* hinweis, auto handler) {
        QAction* a = leiste->addAction(bild, text(hinweis));
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(text(hinweis));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    knopf("NeuToolButton", style()->standardIcon(QStyle::SP_FileIcon), Sprache::ProjektNeuHinweis,
          &TForm1::MenuProjektNeuClick);
    knopf("OeffnenToolButton", style()->standardIcon(QStyle::SP_DialogOpenButton), Sprache::ProjektOeffnenHinweis,
          &TForm1::MenuProjektOeffnenClick);
    knopf("SpeichernToolButton", style()->standardIcon(QStyle::SP_DialogSaveButton), Sprache::ProjektSpeichernHinweis,
          &TForm1::MenuProjektSpeichernClick);
    leiste->addSeparator();
    knopf("KoierenToolButton", KopierenSymbol(), Sprache::KopierenHinweis, &TForm1::MenuKopierenClick);
    leiste->addSeparator();
    knopf("DruckToolButton", DruckerSymbol(), Sprache::DruckenHinweis, &TForm1::DruckButtonClick);
}

QString TForm1::projektWaehlen(bool speichern)
{
    const QString filter = DialogFilter(text(Sprache::ProjektFilter));
    const QString ordner = text(p_.ctx.state.bildOeffnenOrdner.string());
    if (!speichern)
        return QFileDialog::getOpenFileName(this, QString(), ordner, filter);
    QFileDialog dialog(this, QString(), ordner, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("LVX"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QStringList TForm1::bilderWaehlen()
{
    const QString filter
        = DialogFilter(text(Sprache::BilderFilter1) + QLatin1Char('|') + text(Sprache::BilderFilter2));
    return QFileDialog::getOpenFileNames(this, QString(), text(p_.ctx.state.bildOeffnenOrdner.string()), filter);
}

QString TForm1::bildZielWaehlen(const QString& format)
{
    for (const BildFormat& f : bildFormate) {
        if (format != QString::fromLatin1(f.code))
            continue;
        QFileDialog dialog(this, QString(), text(p_.ctx.state.bildSpeichernOrdner.string()),
                           DialogFilter(text(f.filter)));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QString::fromLatin1(f.endung));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }
    return {};
}

bool TForm1::aenderungenSichern()
{
    if (!p_.ctx.state.modified)
        return true;
    switch (p_.ctx.ask(Titel::Bestaetigung, Sprache::Meldung(MeldungNr::AenderungenSpeichern), true)) {
    case Antwort::Abbrechen: return false;
    case Antwort::Nein: return true;
    case Antwort::Ja: break;
    }
    return MenuProjektSpeichernClick();
}

void TForm1::MenuProjektNeuClick()
{
    if (!aenderungenSichern()) {
        p_.ctx.state.busy = false;
        return;
    }
    p_.DateienLoeschen();
    Registry_Save();
    p_.Init();
    Drucker_Pruefen(p_);
    for (Tab* tab : tabs_)
        tab->zuruecksetzen();
    Registry_Load();
    p_.ctx.display().clearPreview();
    p_.ctx.state.busy = false;
    p_.ctx.state.modified = false;
    p_.ctx.state.projectFile.clear();
    titelSetzen();
    aktualisieren();
}

void TForm1::MenuProjektOeffnenClick()
{
    if (p_.ctx.state.busy || !aenderungenSichern())
        return;
    const QString datei = projektWaehlen(false);
    if (!datei.isEmpty())
        ProjektOeffnen(datei);
}

void TForm1::ZuletztClick(const QString& datei)
{
    if (!p_.ctx.state.busy && aenderungenSichern())
        ProjektOeffnen(datei);
}

void TForm1::zuletztMerken(const QString& datei)
{
    zuletzt_.hinzufuegen(datei);
    Zuletzt_Zeigen();
}

void TForm1::Zuletzt_Zeigen()
{
    MenuZuletzt->clear();
    for (qsizetype i = 0; i < zuletzt_.liste().size(); ++i) {
        const QString& datei = zuletzt_.liste()[i];
        QAction* a = MenuZuletzt->addAction(QStringLiteral("&%1  %2").arg(i + 1).arg(datei));
        connect(a, &QAction::triggered, this, [this, datei] { ZuletztClick(datei); });
    }
    MenuZuletzt->setEnabled(!zuletzt_.liste().isEmpty());
}

bool TForm1::MenuProjektSpeichernClick()
{
    if (p_.ctx.state.projectFile.empty())
        return MenuProjektSpeichernUnterClick();
    return projektGespeichert(::MenuProjektSpeichernClick(p_));
}

bool TForm1::projektGespeichert(bool ok)
{
    if (!ok)
        return false;
    const QString datei = text(p_.ctx.state.projectFile);
    zuletztMerken(datei);
    gespeichert_ = text(Sprache::Gespeichert) + QLatin1Char(' ') + datei;
    Ergebnis_Zeigen();
    return true;
}

bool TForm1::MenuProjektSpeichernUnterClick()
{
    const QString datei = projektWaehlen(true);
    if (datei.isEmpty())
        return false;
    p_.ctx.state.bildOeffnenOrdner = p_.ctx.state.bildSpeichernOrdner = QFileInfo(datei).absolutePath().toStdString();
    const bool ok = projektGespeichert(::MenuProjektSpeichernUnterClick(p_, datei.toStdString()));
    titelSetzen();
    return ok;
}

void TForm1::NeuButtonClick()
{
    if (p_.ctx.state.busy)
        return;
    Bilder_Laden(bilderWaehlen());
}

void TForm1::Bilder_Laden(const QStringList& dateien)
{
    if (p_.ctx.state.busy || dateien.isEmpty())
        return;
    std::vector<std::string> namen;
    for (const QString& d : dateien)
        namen.push_back(d.toStdString());
    LadeButtons_Zustand(false);
    mitFortschritt([&] { Bilder_Hinzufuegen(p_, namen); });
    LadeButtons_Zustand(true);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!p_.ctx.state.busy && !gesperrt_ && !urls.isEmpty()
        && std::all_of(urls.begin(), urls.end(), [](const QUrl& u) { return u.isLocalFile(); }))
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    QStringList bilder;
    for (const QUrl& u : event->mimeData()->urls()) {
        const QString datei = u.toLocalFile();
        if (datei.isEmpty())
            continue;
        // A project among the files is opened; the photos beside it are not added to it.
        if (datei.endsWith(QStringLiteral(".lvx"), Qt::CaseInsensitive)) {
            event->acceptProposedAction();
            ZuletztClick(datei);
            return;
        }
        bilder << datei;
    }
    event->acceptProposedAction();
    Bilder_Laden(bilder);
}

void TForm1::BildSpeichernUnterClick(const QString& format)
{
    if (p_.ctx.state.busy || p_.bilder.anzahl < 1 || p_.auswahl.vorschau == VorschauKeine)
        return;
    const QString datei = bildZielWaehlen(format);
    if (datei.isEmpty())
        return;
    p_.ctx.state.bildSpeichernOrdner = QFileInfo(datei).absolutePath().toStdString();
    if (!BildspeichernUnter(p_, 0, SlotFarbErgebnis, datei.toStdString(), format.toStdString()))
        return;
    gespeichert_ = text(Sprache::Gespeichert) + QLatin1Char(' ') + datei + QStringLiteral(" (")
        + groesseText(static_cast<uint64_t>(QFileInfo(datei).size())) + QLatin1Char(')');
    Ergebnis_Zeigen();
}

void TForm1::DruckButtonClick()
{
    if (!p_.ctx.state.busy)
        mitFortschritt([this] { ::DruckButtonClick(p_, p_.ctx.printers()); });
}

void TForm1::MenuKopierenClick()
{
    if (p_.bilder.anzahl < 1 || p_.auswahl.vorschau == VorschauKeine)
        return;
    p_.ctx.events().setBusyCursor(true);
    const QImage bild(text(p_.bilder.ergebnis().slot[SlotFarbErgebnis].pfad));
    p_.ctx.events().setBusyCursor(false);
    if (bild.isNull()) {
        p_.ctx.message(Titel::Fehler, MeldungNr::ZwischenablageFehler);
        return;
    }
    QApplication::clipboard()->setImage(bild);
}

void TForm1::MenuLVXeinClick()
{
    if (InstallExt(QCoreApplication::applicationFilePath()))
        p_.ctx.message(Titel::Information, MeldungNr::VerknuepfungRegistriert);
    else
        p_.ctx.message(Titel::Fehler, MeldungNr::VerknuepfungFehler);
}

void TForm1::MenuLVXausClick()
{
    if (UnInstallExt())
        p_.ctx.message(Titel::Information, MeldungNr::VerknuepfungAufgehoben);
    else
        p_.ctx.message(Titel::Fehler, MeldungNr::VerknuepfungAufhebenFehler);
}

void TForm1::MenuHinweisClick()
{
    hinweiseAn_ = MenuHinweis->isChecked();
}

bool TForm1::eventFilter(QObject* objekt, QEvent* ereignis)
{
    // Tooltips of every widget are swallowed while the hints are switched off.
    if (ereignis->type() == QEvent::ToolTip && !hinweiseAn_)
        return true;
    // A key goes first to the focused control (or to the window without one);
    // handled there once, not again while it travels up to the parents.
    if (ereignis->type() == QEvent::KeyPress && objekt->isWidgetType()) {
        QWidget* empfaenger = focusWidget() ? focusWidget() : this;
        if (objekt == empfaenger && empfaenger->window() == this && FormKeyPress(static_cast<QKeyEvent*>(ereignis)))
            return true;
    }
    return QMainWindow::eventFilter(objekt, ereignis);
}

bool TForm1::FormKeyPress(QKeyEvent* taste)
{
    if (taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter) {
        focusNextChild();
        return false;
    }
    // The keys stand for the shift buttons, which the interface lock disables.
    return !gesperrt_ && justTab()->FormKeyPress(taste->text());
}

void TForm1::MenuDOKUClick()
{
    const QString pfad = text(p_.ctx.state.programFolder.string()) + QStringLiteral("/LUMIVEX.PDF");
    if (!QFile::exists(pfad))
        p_.ctx.message(Titel::Information,
                       std::string(Sprache::Meldung(MeldungNr::DateiNichtGefunden)) + " " + pfad.toStdString());
    else if (!dokumentOeffnen(pfad))
        p_.ctx.message(Titel::Information, std::string(Sprache::HandbuchOhneProgramm) + "\n" + pfad.toStdString());
}

void TForm1::LinsenansichtClick()
{
    if (p_.ctx.state.busy || Linsenteilung_Berechnen(p_).positionen < 1)
        return;
    TFormLinsenansicht ansicht(p_, this);
    ansicht.exec();
}

bool TForm1::dokumentOeffnen(const QString& pfad)
{
    return DokumentOeffnen(pfad);
}

void TForm1::MenuInfoClick()
{
    QDialog box(this);
    box.setObjectName(QStringLiteral("TAboutBox"));
    box.setWindowTitle(text(Sprache::InfoTitel));
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(new QLabel(text(Sprache::Produkttitel)));
    layout->addWidget(new QLabel(text(Sprache::Sprachname)));
    auto* seite = new QPushButton(herstellerSeite.host());
    connect(seite, &QPushButton::clicked, &box, [] { QDesktopServices::openUrl(herstellerSeite); });
    layout->addWidget(seite);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(knoepfe, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(knoepfe);
    box.exec();
}

bool TForm1::Ende()
{
    // A running batch is stopped like a running computation, never left to run on without its window.
    if (p_.ctx.state.busy || p_.batchLauf.laeuft) {
        if (p_.ctx.ask(Titel::Bestaetigung, Sprache::Meldung(MeldungNr::BerechnungAbbrechenFrage)) == Antwort::Ja)
            p_.batchLauf.laeuft ? Batch_Stoppen(p_) : Berechnung_Stoppen(p_);
        return false;
    }
    if (!aenderungenSichern()) {
        p_.ctx.state.busy = false;
        return false;
    }
    Registry_Save();
    p_.auswahl.vorschau = VorschauKeine;
    Timer1->stop();
    p_.ctx.state.busy = true;
    p_.DateienLoeschen();
    return true;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!p_.ctx.state.busy)
        AnimationStopBitBtnClick();
    if (Ende())
        event->accept();
    else
        event->ignore();
}

