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
#include "align/Justierung.h"
#include "align/Referenzpunkt.h"
#include "ui/Tabs.h"
#include "ui/Vorschau.h"
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

// The single-image shift buttons: their step in pixels (right and up
// positive) and the character that does the same while "Tastatur" is checked.
struct Verschiebeknopf {
    const char* name;
    char taste;
    int sx, sy;
};
constexpr Verschiebeknopf verschiebeknoepfe[] = {
    {"JustVR1BitBtn", 'p', 1, 0},   {"JustVR2BitBtn", 'P', 10, 0},  {"JustVR3BitBtn", 0, 100, 0},
    {"JustVL1BitBtn", 'o', -1, 0},  {"JustVL2BitBtn", 'O', -10, 0}, {"JustVL3BitBtn", 0, -100, 0},
    {"JustVO1BitBtn", 'q', 0, 1},   {"JustVO2BitBtn", 'Q', 0, 10},  {"JustVU1BitBtn", 'a', 0, -1},
    {"JustVU2BitBtn", 'A', 0, -10},
};

// The series buttons: the step per image of distance from the reference image;
// a zero step sets the shifts to 0.
struct Serienknopf {
    const char* name;
    int sx, sy;
};
constexpr Serienknopf serienknoepfe[] = {
    {"JustVR1ABitBtn", 1, 0}, {"JustVR2ABitBtn", 10, 0}, {"JustVL1ABitBtn", -1, 0}, {"JustVL2ABitBtn", -10, 0},
    {"JustVO1ABitBtn", 0, 1}, {"JustVU1ABitBtn", 0, -1}, {"JustVXABitBtn", 0, 0},
};

using Aenderung = std::function<void(ImageEntry&)>;

Aenderung plus(double ImageEntry::*wert, double schritt)
{
    return [=](ImageEntry& b) { b.*wert += schritt; };
}

// The rotation, scale and vergence buttons and the reset of the shift.
const std::vector<std::pair<const char*, Aenderung>>& parameterknoepfe()
{
    static const std::vector<std::pair<const char*, Aenderung>> knoepfe{
        {"JustVXBitBtn", [](ImageEntry& b) { b.dx = b.dy = 0.0; }},
        {"JustRL1BitBtn", plus(&ImageEntry::rot, 0.1)},
        {"JustRL2BitBtn", plus(&ImageEntry::rot, 1.0)},
        {"JustRR1BitBtn", plus(&ImageEntry::rot, -0.1)},
        {"JustRR2BitBtn", plus(&ImageEntry::rot, -1.0)},
        {"JustRXBitBtn", [](ImageEntry& b) { b.rot = 0.0; }},
        {"JustSG1BitBtn", plus(&ImageEntry::skal, 0.001)},
        {"JustSG2BitBtn", plus(&ImageEntry::skal, 0.01)},
        {"JustSK1BitBtn", plus(&ImageEntry::skal, -0.001)},
        {"JustSK2BitBtn", plus(&ImageEntry::skal, -0.01)},
        {"JustSXBitBtn", [](ImageEntry& b) { b.skal = 1.0; }},
        {"JustTR1BitBtn", plus(&ImageEntry::vx, 0.1)},
        {"JustTR2BitBtn", plus(&ImageEntry::vx, 1.0)},
        {"JustTL1BitBtn", plus(&ImageEntry::vx, -0.1)},
        {"JustTL2BitBtn", plus(&ImageEntry::vx, -1.0)},
        {"JustTO1BitBtn", plus(&ImageEntry::vy, 0.1)},
        {"JustTO2BitBtn", plus(&ImageEntry::vy, 1.0)},
        {"JustTU1BitBtn", plus(&ImageEntry::vy, -0.1)},
        {"JustTU2BitBtn", plus(&ImageEntry::vy, -1.0)},
        {"JustTXBitBtn", [](ImageEntry& b) { b.vx = b.vy = 0.0; }},
    };
    return knoepfe;
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
    manuellVerbinden();
    referenzVerbinden();
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
    // A hidden button keeps its cell, so that the cross keeps its shape in series mode.
    const auto platzhaltend = [](QPushButton* k) {
        QSizePolicy politik = k->sizePolicy();
        politik.setRetainSizeWhenHidden(true);
        k->setSizePolicy(politik);
        return k;
    };
    for (const Verschiebung& s : verschiebungen) {
        kreuz->addWidget(platzhaltend(kleinKnopf(s.name, s.beschriftung, v(s.hinweis))), s.zeile, s.spalte);
        if (s.serie) {
            auto* serie = kleinKnopf(s.serie, s.beschriftung, v(s.hinweis));
            serie->hide();
            kreuz->addWidget(serie, s.zeile, s.spalte);
        }
    }
    const QString zurueck = text(T::RuecksetzenVerschiebung);
    kreuz->addWidget(platzhaltend(kleinKnopf("JustVXBitBtn", "0", zurueck)), 2, 3);
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
    JustCursorCheckBox = benannt(new QCheckBox(text(T::Tastatur)), "JustCursorCheckBox");
    JustCursorCheckBox->setToolTip(text(T::TastaturHinweis));
    schalter->addWidget(JustCursorCheckBox);
    VerschiebungAlleCheckBox = benannt(new QCheckBox(text(T::SerienJustierung)), "VerschiebungAlleCheckBox");
    schalter->addWidget(VerschiebungAlleCheckBox);
    InversVergenzCheckBox = benannt(new QCheckBox(text(T::Invers)), "InversVergenzCheckBox");
    schalter->addWidget(InversVergenzCheckBox);
    schalter->addStretch(1);
    layout->addLayout(schalter);
    return gruppe;
}

QWidget* JustTab::referenzPanel()
{
    auto* gruppe = new QGroupBox(text(T::Referenzpunkt));
    auto* gitter = new QGridLayout(gruppe);
    RefPktSetzenSpeedButton = benannt(new QPushButton(text(T::Setzen)), "RefPktSetzenSpeedButton");
    RefPktSetzenSpeedButton->setCheckable(true);
    gitter->addWidget(RefPktSetzenSpeedButton, 0, 0);
    gitter->addWidget(benannt(new QPushButton(text(T::Loeschen)), "RefPktLoeschenSpeedButton"), 0, 1);
    RefBildComboBox = benannt(new QComboBox, "RefBildComboBox");
    RefBildComboBox->setFont(QFont(QStringLiteral("Courier New"), 8));
    gitter->addWidget(RefBildComboBox, 0, 2);
    auto* loesen = benannt(new QPushButton(text(T::RefPktLoesen)), "REFPFTLoesenButton");
    loesen->hide();
    gitter->addWidget(loesen, 0, 3);
    RefPktZeigenCheckBox = benannt(new QCheckBox(text(T::Anzeigen)), "RefPktZeigenCheckBox");
    RefPktZeigenCheckBox->setChecked(true);
    gitter->addWidget(RefPktZeigenCheckBox, 1, 0);
    auto* groesse = new QHBoxLayout;
    groesse->addWidget(new QLabel(text(T::Groesse)));
    RefPktSizeSpinEdit = benannt(new QSpinBox, "RefPktSizeSpinEdit");
    RefPktSizeSpinEdit->setRange(0, 10);
    RefPktSizeSpinEdit->setValue(3);
    groesse->addWidget(RefPktSizeSpinEdit);
    gitter->addLayout(groesse, 1, 1);
    RefPktNurHorizontalCheckBox = benannt(new QCheckBox(text(T::NurHorizontal)), "RefPktNurHorizontalCheckBox");
    gitter->addWidget(RefPktNurHorizontalCheckBox, 1, 2);
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
    // Toggled rather than clicked: the stored settings set these boxes too.
    const auto schalter = [this](QCheckBox* box, bool AutoJustSettings::*wert) {
        connect(box, &QCheckBox::toggled, this, [this, wert](bool an) {
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
    emit befehl([this] {
        StartOFButton->setEnabled(false);
        StartOFButton->setText(QStringLiteral("0 %"));
        for (QLabel* l : {OF_BildNr_Label, anzSchleifeLabel, Ebene_Label})
            l->setText(text(T::Leerlauf));
        autoJustTimer->start();
        AutoJustFenster fenster;
        fenster.sperren = [this] { emit sperren(true); };
        fenster.entsperren = [this] { emit sperren(false); };
        fenster.detail = [this](const Bitmap24& bild) {
            if (vorschau_)
                vorschau_->zeigen(QImage(bild.pixel.data(), bild.breite, bild.hoehe, 3 * bild.breite, QImage::Format_BGR888)
                                      .copy());
        };
        ::StartOFButtonClick(p_, fenster);
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
    const ImageEntry* bild = Aktuelles_Bild(p_);
    if (!p_.ctx.state.busy)
        InversVergenzCheckBox->setChecked(bild && bild->inversVergenz);
    RefPktSetzenSpeedButton->setChecked(p_.refInfo.setzModus);
    RefPktZeigenCheckBox->setChecked(p_.refInfo.zeigen);
    {
        const QSignalBlocker sperre(RefPktSizeSpinEdit);
        RefPktSizeSpinEdit->setValue(p_.refInfo.groesse);
    }
    ListeRefBild_Zeigen();
}

QPushButton* JustTab::knopf(const char* name) const
{
    return findChild<QPushButton*>(QString::fromLatin1(name));
}

void JustTab::manuellVerbinden()
{
    for (const Verschiebeknopf& k : verschiebeknoepfe)
        connect(knopf(k.name), &QPushButton::clicked, this, [this, k] { verschieben(k.sx, k.sy); });
    for (const auto& [name, aenderung] : parameterknoepfe()) {
        const Aenderung* a = &aenderung;
        connect(knopf(name), &QPushButton::clicked, this,
                [this, a] { emit befehl([this, a] { Einzelbild_Justieren(p_, *a); }); });
    }
    connect(InversVergenzCheckBox, &QCheckBox::clicked, this, [this](bool an) {
        emit befehl([this, an] { Einzelbild_Justieren(p_, [an](ImageEntry& b) { b.inversVergenz = an; }); });
    });
    for (const Serienknopf& k : serienknoepfe)
        connect(knopf(k.name), &QPushButton::clicked, this, [this, k] {
            emit befehl([this, k] { JustVerschiebungAlleClick(p_, serienReferenz(), k.sx, k.sy, false); });
        });
    connect(knopf("JustAXBitBtn"), &QPushButton::clicked, this,
            [this] { emit befehl([this] { JustVerschiebungAlleClick(p_, serienReferenz(), 0, 0, true); }); });
    connect(VerschiebungAlleCheckBox, &QCheckBox::toggled, this, &JustTab::VerschiebungAlleCheckBoxClick);
}

void JustTab::verschieben(int sx, int sy)
{
    emit befehl([this, sx, sy] { JustVerschiebungClick(p_, sx, sy); });
}

void JustTab::VerschiebungAlleCheckBoxClick(bool an)
{
    for (const Verschiebeknopf& k : verschiebeknoepfe) {
        knopf(k.name)->setVisible(!an);
        knopf(k.name)->setEnabled(!an);
    }
    knopf("JustVXBitBtn")->setVisible(!an);
    knopf("JustVXBitBtn")->setEnabled(!an);
    for (const Serienknopf& k : serienknoepfe) {
        knopf(k.name)->setVisible(an);
        knopf(k.name)->setEnabled(an);
    }
}

int JustTab::serienReferenz() const
{
    // Without a choice the middle image is the reference, as the automatic alignment preselects it.
    const int r = p_.autoJust.referenzbild;
    return p_.bilder.gueltig(r) ? r : (p_.bilder.anzahl + 1) / 2;
}

bool JustTab::FormKeyPress(const QString& zeichen)
{
    if (!JustCursorCheckBox->isChecked() || zeichen.size() != 1)
        return false;
    for (const Verschiebeknopf& k : verschiebeknoepfe)
        if (k.taste != 0 && zeichen[0] == QLatin1Char(k.taste)) {
            verschieben(k.sx, k.sy);
            return true;
        }
    return false;
}

void JustTab::referenzVerbinden()
{
    connect(RefPktSetzenSpeedButton, &QPushButton::clicked, this,
            [this](bool gedrueckt) { emit befehl([this, gedrueckt] { RefPktSetzenSpeedButtonClick(p_, gedrueckt); }); });
    connect(knopf("RefPktLoeschenSpeedButton"), &QPushButton::clicked, this,
            [this] { emit befehl([this] { RefPktLoeschenSpeedButtonClick(p_); }); });
    connect(RefBildComboBox, &QComboBox::activated, this, [this](int index) {
        const int n = RefBildComboBox->itemText(index).trimmed().toInt();
        emit befehl([this, n] { RefBildComboBoxChange(p_, n); });
    });
    connect(RefPktZeigenCheckBox, &QCheckBox::clicked, this,
            [this](bool an) { Referenzmarken(RefPktZeigenCheckBox, an, p_.refInfo.groesse); });
    connect(RefPktSizeSpinEdit, &QSpinBox::valueChanged, this,
            [this](int groesse) { Referenzmarken(RefPktSizeSpinEdit, p_.refInfo.zeigen, groesse); });
    connect(knopf("REFPFTLoesenButton"), &QPushButton::clicked, this,
            [this] { emit befehl([this] { REFPFTLoesenButtonClick(p_); }); });
}

void JustTab::Referenzmarken(QWidget* control, bool zeigen, int groesse)
{
    // A change arriving while the images are being aligned shows the stored value again.
    if (p_.ctx.state.busy || p_.ctx.state.abort) {
        aktualisieren();
        return;
    }
    control->setEnabled(false);
    emit befehl([this, zeigen, groesse] { Referenzmarken_Aendern(p_, zeigen, groesse); });
    control->setEnabled(true);
}

void JustTab::ListeRefBild_Zeigen()
{
    const QSignalBlocker sperre(RefBildComboBox);
    RefBildComboBox->clear();
    int auswahl = -1;
    for (int n : Referenzbilder(p_.bilder)) {
        if (n == p_.refInfo.referenzbild)
            auswahl = RefBildComboBox->count();
        RefBildComboBox->addItem(QString::asprintf("%3d", n));
    }
    RefBildComboBox->setCurrentIndex(auswahl);
}

void JustTab::VorschauKlick(QPoint position)
{
    if (!p_.refInfo.setzModus || !Aktuelles_Bild(p_))
        return;
    // A click beside the picture sets nothing; the setting mode stays on.
    const auto punkt = Ermittle_Refpunkt(p_, position.x(), position.y());
    if (!punkt)
        return;
    const bool nurHorizontal = RefPktNurHorizontalCheckBox->isChecked();
    emit befehl([this, punkt = *punkt, nurHorizontal] { Referenzpunkt_Setzen(p_, punkt, nurHorizontal); });
}
