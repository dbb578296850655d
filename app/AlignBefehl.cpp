#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "align/AutoJustierung.h"
#include "app/Befehle.h"
#include "commands/Projekt.h"
#include "platform/HeadlessServices.h"

namespace {

const char* const hilfe =
    "Aufruf: lumivex align PROJEKT.lvx AUSGABE.lvx [--reference N] [--symmetric] [--fine] [--ja]\n"
    "\n"
    "Öffnet das Projekt, justiert alle Bilder automatisch (Auto-Justierung) und\n"
    "speichert das justierte Projekt unter AUSGABE.lvx.\n"
    "\n"
    "  --reference N  Referenzbild-Nr. (Vorgabe: das mittlere Bild)\n"
    "  --symmetric    bei genau 2 Bildern: Korrektur beider Bilder\n"
    "  --fine         nach der Grobjustierung die Feinjustierung in voller Auflösung\n"
    "                 (bei Bildern über 1300 Pixel)\n"
    "  --ja           beantwortet jede Frage mit Ja\n"
    "\n"
    "Auf stdout steht je Bild eine Zeile: Nr., dx, dy, Rot, Skal und die drei\n"
    "Status-Zeichen (O Referenzbild, 1 oder + justiert, ? unsicher, - nicht justiert).\n"
    "Meldungen erscheinen auf stderr als \"Titel: Text\". Rückgabewert: 0 Erfolg,\n"
    "1 Fehler, Abbruch oder ein nicht justiertes Bild, 2 falscher Aufruf.\n";

struct Auftrag {
    std::string projekt;
    std::string ausgabe;
    int referenz = 0;
    bool symmetrisch = false;
    bool fein = false;
    bool ja = false;
};

// What does not fit the usage, or empty.
std::string lesen(int argc, char** argv, Auftrag& a)
{
    const auto referenz = [&](const std::string& wert) {
        return ZahlImBereich(wert, 1, INT_MAX, a.referenz) ? "" : "'" + wert + "' bei --reference";
    };
    std::vector<std::string> frei;
    const std::string falsch = OptionenLesen(
        argc, argv, {{{"--symmetric", &a.symmetrisch}, {"--fine", &a.fein}, {"--ja", &a.ja}}, {{"--reference", referenz}}},
        frei);
    if (!falsch.empty())
        return falsch;
    if (frei.size() > 2)
        return "überzähliges Argument '" + frei[2] + "'";
    if (frei.empty())
        return "PROJEKT.lvx und AUSGABE.lvx fehlen";
    if (frei.size() == 1)
        return "AUSGABE.lvx fehlt";
    a.projekt = frei[0];
    a.ausgabe = frei[1];
    return {};
}

}

int AlignBefehl(int argc, char** argv)
{
    Auftrag auftrag;
    if (const auto ende = AufrufLesen("align", argc, argv, hilfe, [&] { return lesen(argc, argv, auftrag); }))
        return *ende;
    // Only the opened project tells whether the reference number is one of its images.
    std::string falscheReferenz;
    const int status = Programmlauf<HeadlessServices>(auftrag.ja, [&](Programm& p, HeadlessServices&) {
        if (!OeffnenAllgemein(p, auftrag.projekt))
            return false;
        if (auftrag.referenz > p.bilder.anzahl) {
            falscheReferenz = "'" + std::to_string(auftrag.referenz) + "' bei --reference: das Projekt hat "
                + std::to_string(p.bilder.anzahl) + " Bilder";
            return false;
        }
        p.autoJust.referenzbild = auftrag.referenz;
        p.autoJust.symmetrisch = auftrag.symmetrisch;
        p.autoJust.grob = !auftrag.fein;
        bool ok = StartOFButtonClick(p);
        for (int i = 1; i <= p.bilder.anzahl && ok; ++i) {
            const ImageEntry& e = p.bilder.bild[static_cast<size_t>(i)];
            std::printf("%3d %9.2f %9.2f %7.3f %7.4f %s%s%s\n", i, e.dx, e.dy, e.rot, e.skal, e.AJStatus[0].c_str(),
                        e.AJStatus[1].c_str(), e.AJStatus[2].c_str());
        }
        bool alleJustiert = true;
        for (int i = 1; i <= p.bilder.anzahl; ++i)
            alleJustiert = alleJustiert && p.bilder.bild[static_cast<size_t>(i)].AJStatus[0] != "-";
        return ok && MenuProjektSpeichernUnterClick(p, auftrag.ausgabe) && alleJustiert;
    });
    return falscheReferenz.empty() ? status : FalscherAufruf("align", falscheReferenz, hilfe);
}
