#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

#include "commands/Animation.h"
#include "platform/qt/Bildschirm.h"
#include "ui/TForm1.h"
#include "ui/TFormVollbild.h"
#include "ui/Vorschau.h"
#include "ui/Widgets.h"

void TForm1::ZoomVollbildBitBtnClick()
{
    if (p_.ctx.state.busy || p_.bilder.anzahl < 1)
        return;
    FormVollbild->Init(p_.farbe.vollbildHintergrund);
}

void TForm1::AnimationStartBitBtnClick()
{
    if (p_.ctx.state.busy || p_.bilder.anzahl < 2)
        return;
    animationVorschau_ = p_.auswahl.vorschau;
    animationZeile_ = p_.auswahl.listenZeile;
    p_.ansicht.zoomIndex = 0;
    p_.auswahl.vorschau = VorschauKeine;
    {
        const QSignalBlocker sperre(ZoomComboBox);
        ZoomComboBox->setCurrentIndex(0);
    }
    {
        const QSignalBlocker sperre(vorschauModi);
        vorschauModi->button(VorschauKeine)->setChecked(true);
    }
    VorschauShape->leeren();
    Zustand_Sichern();
    animation_ = Animation{};
    Timer1->start(Animation_Intervall(AnimationUpDown->value()));
}

void TForm1::Timer1Timer()
{
    const int32_t n = animation_.bild;
    if (p_.bilder.gueltig(n)) {
        const QString datei = text(p_.bilder.bild[static_cast<size_t>(n)].slot[SlotVorschau].pfad);
        if (QFileInfo::exists(datei)) {
            VorschauShape->zeigen(datei);
            p_.auswahl.listenZeile = n;
            Listenbox_Zeigen();
        }
    }
    Animation_Schritt(animation_, p_.bilder.anzahl, PingPongCheckBox->isChecked());
}

void TForm1::AnimationUpDownClick()
{
    Timer1->setInterval(Animation_Intervall(AnimationUpDown->value()));
}

void TForm1::AnimationStopBitBtnClick()
{
    if (!Timer1->isActive())
        return;
    Timer1->stop();
    Zustand_Wiederherstellen();
    VorschauShape->leeren();
    // Recomputing a lenticular print for every stop would take too long.
    p_.auswahl.vorschau = animationVorschau_ == VorschauLinsenraster ? VorschauKeine : animationVorschau_;
    p_.auswahl.listenZeile = animationZeile_;
    Listenbox_Zeigen();
    p_.ctx.state.busy = false;
    rechnen(3);
}

QString TForm1::animationZielWaehlen()
{
    QFileDialog dialog(this, QString(), text(p_.ctx.state.bildSpeichernOrdner.string()),
                       text(Sprache::WebpAnimationFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("webp"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void TForm1::MenuAnimationSpeichernClick()
{
    if (p_.ctx.state.busy || p_.bilder.anzahl < 2)
        return;
    const QString datei = animationZielWaehlen();
    if (datei.isEmpty())
        return;
    p_.ctx.state.bildSpeichernOrdner = QFileInfo(datei).absolutePath().toStdString();
    mitFortschritt([&] {
        Animation_Speichern(p_, datei.toStdString(), AnimationUpDown->value(), PingPongCheckBox->isChecked());
    });
}

void TForm1::MenuScreenClick()
{
    // The menu that was just closed must not linger in the picture.
    QApplication::processEvents();
    QImage bild = CaptureScreen();
    if (bild.isNull()) {
        p_.ctx.message(Sprache::Titel::Fehler, Sprache::MeldungNr::ZwischenablageFehler);
        return;
    }
    if (const auto zeiger = GetCursorInfo())
        Zeiger_Einzeichnen(bild, *zeiger);
    QApplication::clipboard()->setImage(bild);
    p_.ctx.message(Sprache::Titel::Information, Sprache::Bildschirmfoto);
}
