#pragma once
#include <QMainWindow>

#include "model/Programm.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
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

private:
    void menuAnlegen();
    QWidget* listenPanel();
    QWidget* vorschauBereich();
    QWidget* unterVorschau();
    void tabsAnlegen();

    // Runs the pipeline from a level with the busy display of long steps.
    void rechnen(int level);
    void Timer2Timer();
    void STOPButtonClick();
    // Widgets from the records.
    void aktualisieren();
    void Listenbox_Zeigen();
    void ZEIGEN_Vorschau();

    void ZoomComboBoxChange(int index);

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
    std::vector<Tab*> tabs_;
};
