#pragma once
#include "print/Kalibrierung.h"
#include "ui/Tab.h"

class Farbfeld;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
class QSpinBox;

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
        int32_t ColorSettings::*wert;
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

private:
    QWidget* bildPanel();
    QWidget* manuellPanel();
    QWidget* referenzPanel();
    QWidget* autoPanel();
    void ListenboxBezeichnung();

    QRadioButton* JUST_L_RadioButton;
    QRadioButton* JUST_R_RadioButton;
    QCheckBox* BikubischCheckBox;
    QLabel* JustLabel1;
    QLabel* JustLabel2;
    QCheckBox* SpiegelXCheckBox;
    QCheckBox* SpiegelYCheckBox;
    QCheckBox* KonturenCheckBox;
    QComboBox* FilterComboBox;
};

// " Bildausschnitt festlegen ": the crop region.
class AusschnittTab : public Tab {
    Q_OBJECT
public:
    explicit AusschnittTab(Programm& p);
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

// " Stapelverabeitung ": batch jobs over whole folders.
class BatchTab : public Tab {
    Q_OBJECT
public:
    explicit BatchTab(Programm& p);
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
