#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "align/AutoJustierung.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace T = Sprache::Tafel;

namespace {

QPushButton* kleinKnopf(const char* name, const char* beschriftung, const QString& hinweis = {})
{
    auto* k = benannt(new QPushButton(text(beschriftung)), name);
    k->setFixedSize(24, 24);
    k->setToolTip(hinweis);
    return k;
}

QString hinweis(const char* anfang, const char* ende)
{
    return text(anfang) + text(ende);
}

}

JustTab::JustTab(Programm& p) : Tab(p, "JustGroupBox", Sprache::TabGruppen[1])
{
    auto* layout = new QVBoxLayout(this);
    auto* wahlZeile = new QGridLayout;
    JUST_L_RadioButton = benannt(new QRadioButton(text(Sprache::JustL)), "JUST_L_RadioButton");
    JUST_R_RadioButton = benannt(new QRadioButton(text(Sprache::JustR)), "JUST_R_RadioButton");
    BikubischCheckBox = benannt(new QCheckBox(text(T::Bikubisch)), "BikubischCheckBox");
    wahlZeile->addWidget(JUST_L_RadioButton, 0, 0);
    wahlZeile->addWidget(JUST_R_RadioButton, 1, 0);
    wahlZeile->addWidget(BikubischCheckBox, 0, 1, Qt::AlignRight);
    layout->addLayout(wahlZeile);
    const auto wahl = [this](QRadioButton* knopf, bool links) {
        connect(knopf, &QRadioButton::clicked, this, [this, links] {
            p_.auswahl.justL = links;
            p_.auswahl.justR = !links;
            emit rechnen(3);
        });
    };
    wahl(JUST_L_RadioButton, true);
    wahl(JUST_R_RadioButton, false);
    connect(BikubischCheckBox, &QCheckBox::clicked, this, [this](bool an) {
        p_.ctx.state.modified = true;
        p_.compose.Bikubisch = an;
        emit rechnen(2);
    });
    layout->addWidget(bildPanel());
    layout->addWidget(manuellPanel());
    layout->addWidget(referenzPanel());
    layout->addWidget(autoPanel());
    layout->addStretch(1);
}

QWidget* JustTab::bildPanel()
{
    auto* gruppe = new QGroupBox(text(T::AktuellesBild));
    auto* gitter = new QGridLayout(gruppe);
    JustLabel1 = benannt(new QLabel, "JustLabel1");
    JustLabel2 = benannt(new QLabel, "JustLabel2");
    JustLabel2->setFont(QFont(QStringLiteral("Courier New")));
    gitter->addWidget(JustLabel1, 0, 0);
    gitter->addWidget(JustLabel2, 0, 1, 1, 2);
    SpiegelXCheckBox = benannt(new QCheckBox(text(T::SpiegelX)), "SpiegelXCheckBox");
    SpiegelYCheckBox = benannt(new QCheckBox(text(T::SpiegelY)), "SpiegelYCheckBox");
    KonturenCheckBox = benannt(new QCheckBox(text(T::Konturen)), "KonturenCheckBox");
    gitter->addWidget(SpiegelXCheckBox, 1, 0);
    gitter->addWidget(SpiegelYCheckBox, 1, 1);
    gitter->addWidget(KonturenCheckBox, 1, 2);
    // The convolution filter is not offered in the standard layout, yet it acts when a project sets it.
    FilterComboBox = benannt(new QComboBox, "FilterComboBox");
    for (const char* f : T::Filter)
        FilterComboBox->addItem(text(f));
    FilterComboBox->hide();
    gitter->addWidget(FilterComboBox, 2, 0, 1, 3);
    gitter->setColumnStretch(2, 1);

    const auto schalter = [this](QCheckBox* box, bool ImageEntry::*wert) {
        connect(box, &QCheckBox::clicked, this, [this, wert](bool an) {
            if (p_.ctx.state.busy || !p_.bilder.gueltig(p_.auswahl.listenZeile))
                return;
            p_.ctx.state.modified = true;
            p_.bilder.bild[static_cast<size_t>(p_.auswahl.listenZeile)].*wert = an;
            emit rechnen(2);
        });
    };
    schalter(SpiegelXCheckBox, &ImageEntry::spiegelX);
    schalter(SpiegelYCheckBox, &ImageEntry::spiegelY);
    schalter(KonturenCheckBox, &ImageEntry::konturen);
    connect(FilterComboBox, &QComboBox::activated, this, [this](int index) {
        if (p_.ctx.state.busy || !p_.bilder.gueltig(p_.auswahl.listenZeile))
            return;
        p_.ctx.state.modified = true;
        p_.bilder.bild[static_cast<size_t>(p_.auswahl.listenZeile)].filterNr = index;
        emit rechnen(2);
    });
    return gruppe;
}

// Shift, rotation, scale and vergence of the current image; the series buttons
// lie under their single-image counterparts and appear in series mode.
QWidget* JustTab::manuellPanel()
{
    auto* gruppe = new QGroupBox(text(T::ManuelleJustierung));
    gruppe->setEnabled(false);
    auto* layout = new QVBoxLayout(gruppe);
    auto* oben = new QHBoxLayout;
    auto* kreuz = new QGridLayout;
    kreuz->setSpacing(2);
    const auto v = [](int i) { return hinweis(T::Verschieben, T::VerschiebenUm[i]); };
    struct Verschiebung {
        const char* name;
        const char* serie;
        const char* beschriftung;
        int zeile, spalte, hinweis;
    };
    const Verschiebung verschiebungen[] = {
        {"JustVO2BitBtn", nullptr, "⇑", 0, 3, 4},           {"JustVO1BitBtn", "JustVO1ABitBtn", "↑", 1, 3, 0},
        {"JustVL3BitBtn", nullptr, "⇚", 2, 0, 8},           {"JustVL2BitBtn", "JustVL2ABitBtn", "⇐", 2, 1, 6},
        {"JustVL1BitBtn", "JustVL1ABitBtn", "←", 2, 2, 2}, {"JustVR1BitBtn", "JustVR1ABitBtn", "→", 2, 4, 3},
        {"JustVR2BitBtn", "JustVR2ABitBtn", "⇒", 2, 5, 7}, {"JustVR3BitBtn", nullptr, "⇛", 2, 6, 9},
        {"JustVU1BitBtn", "JustVU1ABitBtn", "↓", 3, 3, 1},  {"JustVU2BitBtn", nullptr, "⇓", 4, 3, 5},
    };
    for (const Verschiebung& s : verschiebungen) {
        kreuz->addWidget(kleinKnopf(s.name, s.beschriftung, v(s.hinweis)), s.zeile, s.spalte);
        if (s.serie) {
            auto* serie = kleinKnopf(s.serie, s.beschriftung, v(s.hinweis));
            serie->hide();
            kreuz->addWidget(serie, s.zeile, s.spalte);
        }
    }
    const QString zurueck = text(T::RuecksetzenVerschiebung);
    kreuz->addWidget(kleinKnopf("JustVXBitBtn", "0", zurueck), 2, 3);
    auto* serieZurueck = kleinKnopf("JustVXABitBtn", "0", zurueck);
    serieZurueck->hide();
    kreuz->addWidget(serieZurueck, 2, 3);
    auto* alleZurueck = benannt(new QPushButton(text(T::AlleNull)), "JustAXBitBtn");
    alleZurueck->setToolTip(text(T::RuecksetzenAlle));
    alleZurueck->setFixedHeight(24);
    kreuz->addWidget(alleZurueck, 4, 4, 1, 3);
    oben->addLayout(kreuz);
    oben->addSpacing(12);

    auto* werte = new QGridLayout;
    werte->setSpacing(2);
    const auto r = [](int i) { return hinweis(T::Rotation, T::RotationUm[i]); };
    const auto s = [](int i) { return hinweis(T::Skalieren, T::SkalierenUm[i]); };
    struct Zeile {
        const char* titel;
        const char* namen[5];
        QString hinweise[5];
        const char* mitte;
    };
    const Zeile zeilen[] = {
        {T::Drehung, {"JustRR2BitBtn", "JustRR1BitBtn", "JustRXBitBtn", "JustRL1BitBtn", "JustRL2BitBtn"},
         {r(3), r(1), QString(), r(0), r(2)}, "0"},
        {T::Skalierung, {"JustSK2BitBtn", "JustSK1BitBtn", "JustSXBitBtn", "JustSG1BitBtn", "JustSG2BitBtn"},
         {s(3), s(1), QString(), s(0), s(2)}, "1"},
        {T::VergenzX, {"JustTL2BitBtn", "JustTL1BitBtn", "JustTXBitBtn", "JustTR1BitBtn", "JustTR2BitBtn"},
         {}, "0"},
        {T::VergenzY, {"JustTU2BitBtn", "JustTU1BitBtn", nullptr, "JustTO1BitBtn", "JustTO2BitBtn"}, {}, nullptr},
    };
    const char* stufen[5] = {"−−", "−", nullptr, "+", "++"};
    int reihe = 0;
    for (const Zeile& z : zeilen) {
        werte->addWidget(new QLabel(text(z.titel)), reihe, 0);
        for (int i = 0; i < 5; ++i) {
            if (!z.namen[i])
                continue;
            auto* k = kleinKnopf(z.namen[i], i == 2 ? z.mitte : stufen[i], z.hinweise[i]);
            // The small vertical vergence steps are not offered in the standard layout.
            if (z.titel == T::VergenzY && (i == 1 || i == 3))
                k->hide();
            werte->addWidget(k, reihe, i + 1);
        }
        ++reihe;
    }
    werte->setRowStretch(reihe, 1);
    oben->addLayout(werte);
    oben->addStretch(1);
    layout->addLayout(oben);

    auto* schalter = new QHBoxLayout;
    auto* tastatur = benannt(new QCheckBox(text(T::Tastatur)), "JustCursorCheckBox");
    tastatur->setToolTip(text(T::TastaturHinweis));
    schalter->addWidget(tastatur);
    schalter->addWidget(benannt(new QCheckBox(text(T::SerienJustierung)), "VerschiebungAlleCheckBox"));
    schalter->addWidget(benannt(new QCheckBox(text(T::Invers)), "InversVergenzCheckBox"));
    schalter->addStretch(1);
    layout->addLayout(schalter);
    return gruppe;
}

QWidget* JustTab::referenzPanel()
{
    auto* gruppe = new QGroupBox(text(T::Referenzpunkt));
    gruppe->setEnabled(false);
    auto* gitter = new QGridLayout(gruppe);
    auto* setzen = benannt(new QPushButton(text(T::Setzen)), "RefPktSetzenSpeedButton");
    setzen->setCheckable(true);
    gitter->addWidget(setzen, 0, 0);
    gitter->addWidget(benannt(new QPushButton(text(T::Loeschen)), "RefPktLoeschenSpeedButton"), 0, 1);
    auto* refBild = benannt(new QComboBox, "RefBildComboBox");
    refBild->setFont(QFont(QStringLiteral("Courier New"), 8));
    gitter->addWidget(refBild, 0, 2);
    auto* loesen = benannt(new QPushButton(text(T::RefPktLoesen)), "REFPFTLoesenButton");
    loesen->hide();
    gitter->addWidget(loesen, 0, 3);
    auto* zeigen = benannt(new QCheckBox(text(T::Anzeigen)), "RefPktZeigenCheckBox");
    zeigen->setChecked(true);
    gitter->addWidget(zeigen, 1, 0);
    auto* groesse = new QHBoxLayout;
    groesse->addWidget(new QLabel(text(T::Groesse)));
    auto* spin = benannt(new QSpinBox, "RefPktSizeSpinEdit");
    spin->setRange(0, 10);
    spin->setValue(3);
    groesse->addWidget(spin);
    gitter->addLayout(groesse, 1, 1);
    gitter->addWidget(benannt(new QCheckBox(text(T::NurHorizontal)), "RefPktNurHorizontalCheckBox"), 1, 2);
    gitter->setColumnStretch(3, 1);
    return gruppe;
}

QWidget* JustTab::autoPanel()
{
    auto* gruppe = new QGroupBox(text(T::AutoJustierungGruppe));
    auto* gitter = new QGridLayout(gruppe);
    gitter->addWidget(new QLabel(text(T::ReferenzbildNr)), 0, 0);
    RefBildOFComboBox = benannt(new QComboBox, "RefBildOFComboBox");
    gitter->addWidget(RefBildOFComboBox, 0, 1);
    StartOFButton = benannt(new QPushButton(text(T::AutoJustierung)), "StartOFButton");
    gitter->addWidget(StartOFButton, 0, 2);
    StereoAutoJustCheckBox = benannt(new QCheckBox(text(T::BeideBilder)), "StereoAutoJustCheckBox");
    gitter->addWidget(StereoAutoJustCheckBox, 1, 0, 1, 2);
    OF_ViewCheckBox = benannt(new QCheckBox(text(T::Detail)), "OF_ViewCheckBox");
    gitter->addWidget(OF_ViewCheckBox, 1, 2);
    OF_GrobJustierungCheckBox = benannt(new QCheckBox(text(T::Grob)), "OF_GrobJustierungCheckBox");
    ScheinebeneVornJustCheckBox = benannt(new QCheckBox(text(T::ScheinebeneVorn)), "ScheinebeneVornJustCheckBox");
    // Expert options, not offered in the standard layout.
    for (QWidget* w : std::initializer_list<QWidget*>{
             benannt(new QCheckBox(text(T::XVergenz)), "xVergenzAutoJustCheckBox"),
             benannt(new QCheckBox(text(T::YVergenz)), "yVergenzAutoJustCheckBox"), OF_GrobJustierungCheckBox,
             ScheinebeneVornJustCheckBox}) {
        w->hide();
        gitter->addWidget(w, 3, 0);
    }
    auto* status = new QHBoxLayout;
    OF_BildNr_Label = benannt(new QLabel(text(T::Leerlauf)), "OF_BildNr_Label");
    anzSchleifeLabel = benannt(new QLabel(text(T::Leerlauf)), "anzSchleifeLabel");
    Ebene_Label = benannt(new QLabel(text(T::Leerlauf)), "Ebene_Label");
    for (QLabel* l : {OF_BildNr_Label, anzSchleifeLabel, Ebene_Label})
        status->addWidget(l);
    status->addStretch(1);
    gitter->addLayout(status, 2, 0, 1, 3);
    gitter->setColumnStretch(3, 1);

    autoJustTimer = new QTimer(this);
    autoJustTimer->setInterval(250);
    connect(autoJustTimer, &QTimer::timeout, this, &JustTab::autoJustAnzeigen);
    connect(StartOFButton, &QPushButton::clicked, this, &JustTab::StartOFButtonClick);
    connect(RefBildOFComboBox, &QComboBox::activated, this, [this](int index) { p_.autoJust.referenzbild = index + 1; });
    const auto schalter = [this](QCheckBox* box, bool AutoJustSettings::*wert) {
        connect(box, &QCheckBox::clicked, this, [this, wert](bool an) {
            p_.autoJust.*wert = an;
            aktualisieren();
        });
    };
    schalter(StereoAutoJustCheckBox, &AutoJustSettings::symmetrisch);
    schalter(OF_ViewCheckBox, &AutoJustSettings::detail);
    schalter(OF_GrobJustierungCheckBox, &AutoJustSettings::grob);
    schalter(ScheinebeneVornJustCheckBox, &AutoJustSettings::scheinebeneVorn);
    return gruppe;
}

void JustTab::StartOFButtonClick()
{
    if (p_.ctx.state.busy)
        return;
    emit ausfuehren([this] {
        StartOFButton->setEnabled(false);
        StartOFButton->setText(QStringLiteral("0 %"));
        for (QLabel* l : {OF_BildNr_Label, anzSchleifeLabel, Ebene_Label})
            l->setText(text(T::Leerlauf));
        autoJustTimer->start();
        ::StartOFButtonClick(p_);
        autoJustTimer->stop();
        autoJustAnzeigen();
        StartOFButton->setEnabled(true);
    });
}

void JustTab::autoJustAnzeigen()
{
    const AutoJustAnzeige& a = p_.autoJustAnzeige;
    const bool laeuft = a.prozent >= 0;
    const auto zahl = [&](int32_t n) { return laeuft && n > 0 ? QString::number(n) : text(T::Leerlauf); };
    if (laeuft && OF_BildNr_Label->text() != zahl(a.bildNr))
        emit anzeigen();
    OF_BildNr_Label->setText(zahl(a.bildNr));
    anzSchleifeLabel->setText(zahl(a.schleife));
    Ebene_Label->setText(zahl(a.ebenen));
    StartOFButton->setText(laeuft ? QString::number(a.prozent) + QStringLiteral(" %") : text(T::AutoJustierung));
}

void JustTab::ListenboxBezeichnung()
{
    const int n = p_.auswahl.listenZeile;
    const bool gewaehlt = p_.bilder.gueltig(n);
    const ImageEntry* bild = gewaehlt ? &p_.bilder.bild[static_cast<size_t>(n)] : nullptr;
    JustLabel1->setText(text(T::Nr) + (gewaehlt ? QString::asprintf("%3d", n) : QString()));
    JustLabel2->setText(text(T::Datei) +
                        (gewaehlt ? text(bild->slot[SlotQuelle].name).leftJustified(32, QLatin1Char(' '), true)
                                  : QString()));
    for (QCheckBox* box : {SpiegelXCheckBox, SpiegelYCheckBox, KonturenCheckBox})
        box->setEnabled(gewaehlt);
    FilterComboBox->setEnabled(gewaehlt);
    SpiegelXCheckBox->setChecked(gewaehlt && bild->spiegelX);
    SpiegelYCheckBox->setChecked(gewaehlt && bild->spiegelY);
    KonturenCheckBox->setChecked(gewaehlt && bild->konturen);
    const QSignalBlocker sperre(FilterComboBox);
    FilterComboBox->setCurrentIndex(gewaehlt ? bild->filterNr : 0);
}

void JustTab::aktualisieren()
{
    // Neither may be checked, which exclusive radio buttons cannot show.
    for (auto [knopf, an] : {std::pair{JUST_L_RadioButton, p_.auswahl.justL}, std::pair{JUST_R_RadioButton, p_.auswahl.justR}}) {
        knopf->setAutoExclusive(false);
        knopf->setChecked(an);
        knopf->setAutoExclusive(true);
    }
    BikubischCheckBox->setChecked(p_.compose.Bikubisch);
    ListenboxBezeichnung();

    const int anzahl = p_.bilder.anzahl;
    if (RefBildOFComboBox->count() != anzahl) {
        RefBildOFComboBox->clear();
        for (int i = 1; i <= anzahl; ++i)
            RefBildOFComboBox->addItem(QString::number(i));
        p_.autoJust.referenzbild = (anzahl + 1) / 2;
    }
    RefBildOFComboBox->setCurrentIndex(p_.bilder.gueltig(p_.autoJust.referenzbild) ? p_.autoJust.referenzbild - 1 : -1);
    const bool paar = anzahl == 2;
    StereoAutoJustCheckBox->setEnabled(paar);
    RefBildOFComboBox->setEnabled(!paar || !p_.autoJust.symmetrisch);
    StereoAutoJustCheckBox->setChecked(p_.autoJust.symmetrisch);
    OF_ViewCheckBox->setChecked(p_.autoJust.detail);
    OF_GrobJustierungCheckBox->setChecked(p_.autoJust.grob);
    ScheinebeneVornJustCheckBox->setChecked(p_.autoJust.scheinebeneVorn);
}
