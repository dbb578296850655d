#pragma once
#include "ui/Tab.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;

// " Farbeinstellungen ": gamma, brightness, contrast and saturation of the result.
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
    std::vector<Regler> regler_;
};

// " Justierung der Einzelbilder ": what a click in the image list chooses.
class JustTab : public Tab {
    Q_OBJECT
public:
    explicit JustTab(Programm& p);
    void aktualisieren() override;

private:
    QRadioButton* JUST_L_RadioButton;
    QRadioButton* JUST_R_RadioButton;
};

// " Anaglyphen-Einstellungen ": the colour scheme.
class AnaglyphTab : public Tab {
    Q_OBJECT
public:
    explicit AnaglyphTab(Programm& p);
    void aktualisieren() override;

private:
    QButtonGroup* AnaglyphRadioGroup;
};

// " Linsenraster-Einstellungen ": lens pitch, direction, barrier, stripes, compression.
class LinseTab : public Tab {
    Q_OBJECT
public:
    explicit LinseTab(Programm& p);
    void aktualisieren() override;

private:
    QLineEdit* lpiEdit;
    QButtonGroup* LinsenrichtungRadioGroup;
    QCheckBox* LinseInversCheckBox;
    QCheckBox* JustStreifenLOCheckBox;
    QCheckBox* JustStreifenRUCheckBox;
    QCheckBox* JustStreifenQuerCheckBox;
    QButtonGroup* KomprimierungRadioGroup;
};

// " Druck-Einstellungen ": margins, print size, unit, proportions, mirroring.
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
    QButtonGroup* DruckEinheitRadioGroup;
    QCheckBox* DruckProportionalCheckBox;
    QCheckBox* DruckSpiegelCheckBox;
};
