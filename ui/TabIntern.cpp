#include <QFont>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include "commands/Drucken.h"
#include "imageio/Exif.h"
#include "imageio/Mpo.h"
#include "ui/Dialoge.h"
#include "ui/Tabs.h"
#include "ui/Widgets.h"

namespace T = Sprache::Tafel;

namespace {

void zeigen(QPlainTextEdit* memo, const std::vector<std::string>& zeilen)
{
    memo->clear();
    for (const std::string& zeile : zeilen)
        memo->appendPlainText(text(zeile));
}

}

InternTab::InternTab(Programm& p) : Tab(p, "InternGroupBox", Sprache::TabGruppen[11])
{
    auto* gitter = new QGridLayout(this);
    auto* exif = benannt(new QPushButton(text(T::ExifAnzeigen)), "ButtonEXIF");
    auto* mpo = benannt(new QPushButton(text(T::MpoZerlegen)), "ButtonMPO");
    auto* farbtabellen = benannt(new QPushButton(text(T::FarbtabellenDruck)), "AnaglypKalibPrintButton");
    gitter->addWidget(exif, 0, 0);
    gitter->addWidget(mpo, 0, 1);
    gitter->addWidget(farbtabellen, 0, 2);
    Memo1 = benannt(new QPlainTextEdit, "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont schrift(QStringLiteral("Courier New"), 8);
    schrift.setStyleHint(QFont::Monospace);
    Memo1->setFont(schrift);
    gitter->addWidget(Memo1, 1, 0, 1, 4);
    gitter->setColumnStretch(3, 1);
    gitter->setRowStretch(1, 1);
    connect(exif, &QPushButton::clicked, this, &InternTab::ButtonEXIFClick);
    connect(mpo, &QPushButton::clicked, this, &InternTab::ButtonMPOClick);
    connect(farbtabellen, &QPushButton::clicked, this, [this] {
        emit befehl([this] { AnaglyphKalibrierungDruckenBitBtnClick(p_, p_.ctx.printers()); });
    });
}

void InternTab::ButtonEXIFClick()
{
    const QString datei = Dialoge::bildDatei(this);
    if (datei.isEmpty())
        return;
    const TExif exif(datei.toStdString());
    EXIF_Spuren_Schreiben(p_.ctx.files(), exif, p_.ctx.files().tempFolder());
    zeigen(Memo1, EXIF_Liste(exif));
}

void InternTab::ButtonMPOClick()
{
    const QString datei = Dialoge::bildDatei(this);
    if (datei.isEmpty())
        return;
    std::vector<std::string> liste;
    MPO_Zerlegen(p_.ctx.files(), datei.toStdString(), datei.toStdString(), (p_.ctx.files().tempFolder() / MpoSpurDatei).string(),
                 &liste);
    zeigen(Memo1, liste);
}
