#pragma once
#include <QMainWindow>
#include <functional>
#include <vector>

#include "model/Programm.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QTimer;
class QtDisplay;
class Tab;
class Vorschau;

// The main window: it mirrors the process-wide records. A handler writes a
// record, runs the engine, then refreshes the widgets from the records.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(Programm& programm, QtDisplay& display);

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
    // The exit sequence; true when the program may end.
    bool Ende();

protected:
    // The file dialogs; tests replace them. An empty result means cancelled.
    virtual QString projektWaehlen(bool speichern);
    virtual QStringList bilderWaehlen();
    virtual QString bildZielWaehlen(const QString& format);

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void menuAnlegen();
    QWidget* listenPanel();
    QWidget* vorschauBereich();
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
    void titelSetzen();
    // Asks whether to save changes: false when the user cancelled (or a save failed).
    bool aenderungenSichern();

    Programm& p_;
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
    QTimer* Timer2;
    QAction* MenuHinweis;
    bool hinweiseAn_ = true;
    std::vector<Tab*> tabs_;
};
