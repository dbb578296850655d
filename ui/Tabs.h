#pragma once
#include "align/Ausschnitt.h"
#include "print/Kalibrierung.h"
#include "ui/Tab.h"

class Farbfeld;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
class QSpinBox;
class QTimer;
class Vorschau;

// " Farbeinstellungen ": gamma, brightness, contrast and saturation of the result,
// the three background colours and the per-image histogram options.
class FarbeTab : public Tab {
    Q_OBJECT
public:
    explicit FarbeTab(Programm& p);
    void aktualisieren() override;

private:
    struct Regler {
        QSlider* trackBar;
        QLabel* edit;
        int32_t FarbSettings::*wert;
    };
    void TrackBarChange(const Regler& r);
    void HistoAlleCheckBoxClick();
    std::vector<Regler> regler_;
    Farbfeld* FarbeHintergrundShape;
    Farbfeld* FarbeHintergrundVorschauShape;
    Farbfeld* FarbeHintergrundVollbildShape;
    QCheckBox* HistoAlleCheckBox;
    QCheckBox* HistoMaxCheckBox;
};

// " Justierung der Einzelbilder ": what a click in the image list chooses, the
// selected image's mirror and filter options, manual and automatic alignment.
class JustTab : public Tab {
    Q_OBJECT
public:
    explicit JustTab(Programm& p);
    void aktualisieren() override;
    // A click into the preview while a reference point is being set.
    void VorschauKlick(QPoint position);
    // A typed character: with "Tastatur" checked, q, a, o, p and Q, A, O, P shift
    // the current image. True when the character was used.
    bool FormKeyPress(const QString& zeichen);
    // Where the detail view of the automatic alignment shows its pictures.
    void setVorschau(Vorschau* vorschau) { vorschau_ = vorschau; }

signals:
    // The automatic alignment holds the window's lock while it runs.
    void sperren(bool an);

private:
    QWidget* bildPanel();
    QWidget* manuellPanel();
    QWidget* referenzPanel();
    QWidget* autoPanel();
    void ListenboxBezeichnung();
    void StartOFButtonClick();
    // The run's state on the labels and the button caption.
    void autoJustAnzeigen();
    void manuellVerbinden();
    void referenzVerbinden();
    QPushButton* knopf(const char* name) const;
    void verschieben(int sx, int sy);
    void VerschiebungAlleCheckBoxClick(bool an);
    // The number chosen as reference image of the automatic alignment.
    int serienReferenz() const;
    void ListeRefBild_Zeigen();
    // The show and size controls: disabled while the images are aligned anew.
    void Referenzmarken(QWidget* control, bool zeigen, int groesse);

    QRadioButton* JUST_L_RadioButton;
    QRadioButton* JUST_R_RadioButton;
    QCheckBox* BikubischCheckBox;
    QLabel* JustLabel1;
    QLabel* JustLabel2;
    QCheckBox* SpiegelXCheckBox;
    QCheckBox* SpiegelYCheckBox;
    QCheckBox* KonturenCheckBox;
    QComboBox* FilterComboBox;
    QComboBox* RefBildOFComboBox;
    QPushButton* StartOFButton;
    QCheckBox* StereoAutoJustCheckBox;
    QCheckBox* OF_ViewCheckBox;
    QCheckBox* OF_GrobJustierungCheckBox;
    QCheckBox* ScheinebeneVornJustCheckBox;
    QLabel* OF_BildNr_Label;
    QLabel* anzSchleifeLabel;
    QLabel* Ebene_Label;
    QTimer* autoJustTimer;
    QCheckBox* JustCursorCheckBox;
    QCheckBox* VerschiebungAlleCheckBox;
    QCheckBox* InversVergenzCheckBox;
    QPushButton* RefPktSetzenSpeedButton;
    QComboBox* RefBildComboBox;
    QCheckBox* RefPktZeigenCheckBox;
    QSpinBox* RefPktSizeSpinEdit;
    QCheckBox* RefPktNurHorizontalCheckBox;
    Vorschau* vorschau_ = nullptr;
};

// " Bildausschnitt festlegen ": the crop region, shown in the preview as a
// frame with five handles.
class AusschnittTab : public Tab {
    Q_OBJECT
public:
    explicit AusschnittTab(Programm& p);
    void setVorschau(Vorschau* vorschau);
    // The frame switched off, and on again (anew, over the whole picture) when `an`.
    void Druckbereich_Umschalten(bool an);
    // The edges as the four edge controls hold them.
    Ausschnitt rand() const;

private:
    void DruckbereichCheckBoxClick();
    void AusschnittAnwendenButtonClick();
    void OptimumAusschnittButtonClick();
    void AusschnittButtonClick();
    void AusschnittVerwendenButtonClick();
    // With the frame on and the ratio fixed: the frame shrinks to the ratio.
    void Verhaeltnis_Anwenden();
    void Druckbereich_PosInit();
    // The edges from the handles' places on the picture.
    void randAusGriffen();
    void randZeigen(const Ausschnitt& a);

    QCheckBox* DruckbereichCheckBox;
    QSpinBox* lRandSpinEdit;
    QSpinBox* rRandSpinEdit;
    QSpinBox* oRandSpinEdit;
    QSpinBox* uRandSpinEdit;
    QLabel* BreiteRandSpinEdit;
    QLabel* HoeheRandSpinEdit;
    QLineEdit* TrimmEdit1;
    QLineEdit* TrimmEdit2;
    QCheckBox* AusschnittRatioCheckBox;
    QSpinBox* BreiteRatioSpinEdit;
    QSpinBox* HoeheRatioSpinEdit;
    QCheckBox* Export_JPG_CheckBox;
    // Enabled exactly while the frame is on.
    std::vector<QWidget*> rahmenSteuerung_;
    Vorschau* vorschau_ = nullptr;
    bool umschalten_ = false;
};

// " Anaglyphen-Einstellungen ": the colour scheme and the colour controls.
class AnaglyphTab : public Tab {
    Q_OBJECT
public:
    explicit AnaglyphTab(Programm& p);
    void aktualisieren() override;

private:
    void TrackBarChange(QSlider* trackBar, int32_t ComposeSettings::*wert);

    QButtonGroup* AnaglyphRadioGroup;
    QGroupBox* schemaGruppe_;
    QButtonGroup* AnaglyphFarbeRadioGroup;
    QGroupBox* farbGruppe_;
    QSlider* C1TrackBar;
    QSlider* C2TrackBar;
    QSlider* C3TrackBar;
    QCheckBox* AnaglyphVerbindenCheckBox;
};

// " Stereobilder-Einstellungen ": the stereo card for a viewer.
class StereoTab : public Tab {
    Q_OBJECT
public:
    explicit StereoTab(Programm& p);
    void aktualisieren() override;

private:
    void ViewerAnwendenButtonClick();

    QComboBox* ViewerComboBox;
    QRadioButton* ViewerRadioButton1;
    QRadioButton* ViewerRadioButton2;
    QLineEdit* ViewerEdits[6];
    QLineEdit* ViewerEdit7;
    QGroupBox* ViewerLRRadioGroup;
    QCheckBox* ViewerGesamtRahmenCheckBox;
    QCheckBox* ViewerRahmenCheckBox;
    Farbfeld* StereoHintergrundShape;
    Farbfeld* StereoRahmenShape;
    QCheckBox* StereoStauchenCheckBox;
    QCheckBox* StereoPixelBreiteCheckBox;
    QSpinBox* StereoPixelBreiteSpinEdit;
    QSpinBox* StereoPixelHoeheSpinEdit;
};

// " Linsenraster-Einstellungen ": lens pitch, direction, barrier, stripes,
// compression and the fitting to the printer's resolution.
class LinseTab : public Tab {
    Q_OBJECT
public:
    explicit LinseTab(Programm& p);
    void aktualisieren() override;

private:
    QWidget* optimierungPanel();
    void DruckOptimierungCheckBoxClick();

    QLineEdit* lpiEdit;
    QButtonGroup* LinsenrichtungRadioGroup;
    QCheckBox* LinseInversCheckBox;
    QCheckBox* JustStreifenLOCheckBox;
    QCheckBox* JustStreifenRUCheckBox;
    QCheckBox* JustStreifenQuerCheckBox;
    QButtonGroup* KomprimierungRadioGroup;
    QLabel* Label_PPL;
    QScrollBar* PixelUpDown;
    QLabel* PixelEdit;
    QCheckBox* DruckOptimierungCheckBox;
    QRadioButton* dpiAutoRadioButton;
    QRadioButton* dpiManuellRadioButton;
    QComboBox* dpiComboBox;
    QComboBox* dpiPrinterComboBox;
    QComboBox* biKubComboBox;
    QLabel* dpiAutoWertLabel;
};

// " Linsenraster-Kalibrierung ": lens-pitch test print and calibration image.
class KalibTab : public Tab {
    Q_OBJECT
public:
    explicit KalibTab(Programm& p);
    void zuruecksetzen() override;

private:
    QWidget* druckPanel();
    QWidget* bildPanel();
    // A captioned group of radio buttons side by side.
    QGroupBox* wahl(QButtonGroup*& gruppe, const char* name, const char* titel, std::initializer_list<const char*> items);
    KalibDruck druckAuftrag() const;
    KalibBild bildAuftrag() const;
    void zeigen(const KalibDruck& d, const KalibBild& b);
    void ergebnisZeigen(const KalibErgebnis& e, const KalibBild& b);
    void LRAutoRadioGroupClick();
    void LRKalibRichtungRadioGroupClick();
    void KStartBitBtnClick();

    QLineEdit* KalibrierungLPIEdit;
    QSpinBox* KalibSpinEdit;
    QButtonGroup* KalibrierungRichtungRadioGroup;
    QButtonGroup* KalibrierungSchrittweiteRadioGroup;
    QLineEdit* KLPITypMaskEdit;
    QLineEdit* KlpiStepMaskEdit;
    QSpinBox* KAnzStreifenSpinEdit;
    QSpinBox* KAnzBilderSpinEdit;
    QLineEdit* KBreitMaskEdit;
    QLineEdit* KHochMaskEdit;
    QSpinBox* KAnzPixBildLinseSpinEdit;
    QButtonGroup* LRAutoRadioGroup;
    QButtonGroup* LRKalibEinheitRadioGroup;
    QButtonGroup* LRKalibRichtungRadioGroup;
    QButtonGroup* LRKalibMethodeRadioGroup;
    QCheckBox* KalibSpeichernBeschriftungCheckBox;
    QCheckBox* KalibSpeichernBemassung10CheckBox;
    QCheckBox* KalibSpeichernBemassung5CheckBox;
    QCheckBox* KalibSpeichernSchwarzSchmalCheckBox;
    QLabel* KHoeheStreifenLabel;
    QLabel* KPixelxLabel;
    QLabel* KPixelYLabel;
    QLabel* KdpiXLabel;
    QLabel* KdpiYLabel;
};

// " Streifenberechnung von 2 Bildern ": the stripe image for stereo displays.
class LCDTab : public Tab {
    Q_OBJECT
public:
    explicit LCDTab(Programm& p);
    void aktualisieren() override;

private:
    QButtonGroup* LCDGroesseRadioGroup;
    QSpinBox* LCDSpinEditx;
    QSpinBox* LCDSpinEdity;
    QPushButton* LCDAnwendenButton;
    QButtonGroup* LCDRichtungRadioGroup;
    QButtonGroup* LCDBeginnRadioGroup;
};

// " Druck-Einstellungen ": margins, print size, unit, proportions, mirroring,
// information lines and the barrier ratio.
class DruckTab : public Tab {
    Q_OBJECT
public:
    explicit DruckTab(Programm& p);
    void aktualisieren() override;

private:
    QLineEdit* xRandEdit;
    QLineEdit* yRandEdit;
    QLineEdit* xSizeEdit;
    QLineEdit* ySizeEdit;
    QLineEdit* hSizeEdit;
    QButtonGroup* DruckEinheitRadioGroup;
    QCheckBox* DruckProportionalCheckBox;
    QCheckBox* DruckSpiegelCheckBox;
    QCheckBox* DruckInfosCheckBox;
    QComboBox* BarrierComboBox;
};

// " Stapelverabeitung ": batch jobs over whole folder trees. The six pages
// mirror the batch settings; START runs the batch with the window locked but
// for the stop button.
class BatchTab : public Tab {
    Q_OBJECT
public:
    explicit BatchTab(Programm& p);
    void aktualisieren() override;

private:
    QWidget* quelle();
    QWidget* farben();
    QWidget* justierung();
    QWidget* groesse();
    QWidget* ergebnis();
    QWidget* ziel();
    QWidget* steuerung();
    // A check box or edit showing and setting one field of the batch settings;
    // listen: a change empties the work lists.
    QCheckBox* schalter(const char* name, const char* beschriftung, bool BatchSettings::*wert, bool listen = false);
    QLineEdit* zusatz(const char* name, std::string BatchSettings::*wert);
    // An output the run writes: its switch and the suffix of its files, in one row of the grid.
    struct Ausgabe {
        const char* box;
        const char* beschriftung;
        bool BatchSettings::*an;
        const char* edit;
        std::string BatchSettings::*suffix;
    };
    void ausgabe(QGridLayout* l, int zeile, const Ausgabe& a);
    QHBoxLayout* ordner(const char* beschriftung, QLineEdit*& edit, const char* name, const char* knopf,
                        std::string BatchSettings::*wert);
    void Batch1ComboBox2Change(int art);
    void BatchStartBitBtnClick();
    // The counters and the file being processed.
    void laufAnzeigen();

    std::vector<std::pair<QCheckBox*, bool BatchSettings::*>> schalter_;
    std::vector<std::pair<QLineEdit*, std::string BatchSettings::*>> texte_;
    QLineEdit* Batch1Edit0;
    QComboBox* Batch1ComboBox2;
    QComboBox* Batch1ComboBox1;
    QPushButton* Batch1Button;
    QButtonGroup* farbModus_;
    Farbfeld* Batch2Shape1;
    Farbe hintergrund_{0, 0, 0};
    QComboBox* Batch5ComboBox1;
    QLineEdit* Batch6Edit1;
    QPushButton* BatchStartBitBtn;
    QPushButton* BatchEndeBitBtn;
    QLineEdit* BatchEdit1;
    QLineEdit* Batch1Edit2;
    QLabel* BatchStatusLabel2;
    QTimer* laufTimer_;
};

// " Intern / Unlimited ": EXIF and MPO analysis, anaglyph colour tables.
class InternTab : public Tab {
    Q_OBJECT
public:
    explicit InternTab(Programm& p);

private:
    void ButtonEXIFClick();
    void ButtonMPOClick();

    QPlainTextEdit* Memo1;
};
