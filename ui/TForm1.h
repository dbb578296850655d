#pragma once
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "compose/Animation.h"
#include "model/Programm.h"
#include "ui/ZuletztGeoeffnet.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QListWidget;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;
class QTimer;
class AusschnittTab;
class JustTab;
class QKeyEvent;
class QtDisplay;
class Tab;
class TFormVollbild;
class Vorschau;
struct Registry;

// The main window: it mirrors the process-wide records. A handler writes a
// record, runs the engine, then refreshes the widgets from the records.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Without a settings store the window keeps its settings in memory for its own life.
    TForm1(Programm& programm, QtDisplay& display, SettingsStore* einstellungen = nullptr);

    // Shows the window at start: over the screen's work area less 3 pixels on each
    // side and maximised (where a window manager does that), unless the stored
    // settings give another state and bounds.
    void Fenster_Zeigen();
    // Opens a project file, as the open command and a file named at start do.
    void ProjektOeffnen(const QString& datei);

    void MenuProjektNeuClick();
    void MenuProjektOeffnenClick();
    bool MenuProjektSpeichernClick();
    bool MenuProjektSpeichernUnterClick();
    void NeuButtonClick();
    void BildSpeichernUnterClick(const QString& format);
    void DruckButtonClick();
    void MenuKopierenClick();
    void MenuLVXeinClick();
    void MenuLVXausClick();
    void MenuHinweisClick();
    void MenuDOKUClick();
    void MenuInfoClick();
    // Opens a project of the "Zuletzt geöffnet" list, as the open command does.
    void ZuletztClick(const QString& datei);
    void LinsenansichtClick();
    // The exit sequence; true when the program may end.
    bool Ende();

    // The settings store: read at start and by a new project (after the reset),
    // written at exit and by a new project (before the reset).
    void Registry_Load();
    void Registry_Save();

    // The interface lock of long operations (the animation, the automatic
    // alignment). Zustand_Sichern disables every input control of this window
    // and of the windows it owns (buttons, check and radio buttons, menu items
    // and tool buttons, combo boxes, sliders and scroll bars, spin boxes, edits,
    // the image list) except the animation's stop button, ping-pong box and
    // speed control and the batch's stop button; a second call before the
    // unlock changes nothing.
    // Zustand_Wiederherstellen enables again exactly what the lock disabled, then
    // re-applies the window's state rules. A control enabled while the lock
    // holds stays disabled until the unlock.
    void Zustand_Sichern();
    void Zustand_Wiederherstellen();
    bool gesperrt() const { return gesperrt_; }
    // Enables or disables the image-list buttons together.
    void LadeButtons_Zustand(bool an);
    // The lock of the automatic alignment: the animation's controls are locked too.
    void AutoJust_Sperre(bool an);

    // Presentation: the full-screen view, the image sequence and the screen capture.
    void ZoomVollbildBitBtnClick();
    void AnimationStartBitBtnClick();
    void AnimationStopBitBtnClick();
    void Timer1Timer();
    void AnimationUpDownClick();
    void MenuAnimationSpeichernClick();
    void MenuScreenClick();

protected:
    // The file dialogs; tests replace them. An empty result means cancelled.
    virtual QString projektWaehlen(bool speichern);
    virtual QStringList bilderWaehlen();
    virtual QString bildZielWaehlen(const QString& format);
    virtual QString animationZielWaehlen();
    // Shows a document with the desktop's program; tests replace it. False when there is none.
    virtual bool dokumentOeffnen(const QString& pfad);

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    // Image files and MPOs dropped on the window are added; a dropped project is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void menuAnlegen();
    QWidget* linkeSpalte();
    QWidget* listenPanel();
    QWidget* vorschauBereich();
    QWidget* ergebnisZeile();
    QWidget* unterVorschau();
    void tabsAnlegen();

    // Runs the pipeline from a level with the busy display of long steps.
    void rechnen(int level);
    // Runs a long command with the stop button shown after a second, then refreshes.
    void mitFortschritt(const std::function<void()>& befehl);
    void Timer2Timer();
    void STOPButtonClick();
    // Widgets from the records.
    void aktualisieren();
    void Listenbox_Zeigen();
    void ZEIGEN_Vorschau();
    void ZoomComboBoxChange(int index);
    // Ctrl + wheel: the next or previous zoom, keeping the point under the pointer in place.
    void ZoomRad(int schritte, QPoint punkt);
    // The result's size, resolution, print size and weight; after a save, the file written.
    void Ergebnis_Zeigen();
    void Bilder_Laden(const QStringList& dateien);
    void zuletztMerken(const QString& datei);
    // After a project save: a saved file joins the recent list and the status line.
    bool projektGespeichert(bool ok);
    void Zuletzt_Zeigen();
    void titelSetzen();
    // The window sees every key first: Return moves the focus on (and goes on to
    // the control), the alignment keys shift the image. True when the key was used.
    bool FormKeyPress(QKeyEvent* taste);
    JustTab* justTab() const;
    AusschnittTab* ausschnittTab() const;
    // After a new picture or a tab switch: the crop frame is shown anew on tab 2
    // with images L, R or the anaglyph in the preview, and is off otherwise.
    void Druckbereich_Erneuern();
    // Asks whether to save changes: false when the user cancelled (or a save failed).
    bool aenderungenSichern();
    // The values of the settings store as the records and controls hold them now.
    Registry registryWerte() const;
    void registryAnwenden(const Registry& werte);
    void fensterlageAnwenden(const Registry& werte);
    // Disables every enabled input control the lock covers and remembers it.
    void sperren();
    // The state rules that unlocking re-applies beyond the panels' own.
    void Zustand_Regeln();

    Programm& p_;
    std::unique_ptr<SettingsStore> eigeneEinstellungen_;
    SettingsStore& einstellungen_;
    QListWidget* ListenBox;
    QLabel* ListenBoxLabel;
    QCheckBox* ListenBoxCheckBox;
    QTabWidget* TabControl1;
    Vorschau* VorschauShape;
    QScrollBar* xScrollBar;
    QScrollBar* yScrollBar;
    QComboBox* ComboBoxA;
    QComboBox* ComboBoxB;
    QGroupBox* VorschauRadioGroup;
    QButtonGroup* vorschauModi;
    QGroupBox* VorschauGroupBox;
    QPushButton* STOPButton;
    QComboBox* ZoomComboBox;
    QProgressBar* FortschrittBar;
    QLineEdit* xPixInfoEdit;
    QLineEdit* yPixInfoEdit;
    QLineEdit* xDPIInfoEdit;
    QLineEdit* yDPIInfoEdit;
    QLabel* ErgebnisLabel;
    QPushButton* LinsenansichtButton;
    QMenu* MenuZuletzt;
    ZuletztGeoeffnet zuletzt_;
    // The file the last save wrote, shown until the result is computed anew.
    QString gespeichert_;
    QTimer* Timer2;
    QAction* MenuHinweis;
    QAction* MenuEinstellungenSichern;
    QAction* MenuAnimationSpeichern;
    QPushButton* NeuButton;
    QPushButton* BildEntfernen;
    QPushButton* HochBitBtn;
    QPushButton* RunterBitBtn;
    QPushButton* AnimationStartBitBtn;
    QPushButton* AnimationStopBitBtn;
    QCheckBox* PingPongCheckBox;
    QSpinBox* AnimationUpDown;
    QTimer* Timer1;
    TFormVollbild* FormVollbild;
    bool hinweiseAn_ = true;
    std::vector<Tab*> tabs_;

    Animation animation_;
    int32_t animationVorschau_ = 0;
    int32_t animationZeile_ = 0;

    bool gesperrt_ = false;
    std::vector<QPointer<QWidget>> gesperrteElemente_;
    std::vector<QPointer<QAction>> gesperrteAktionen_;
};
