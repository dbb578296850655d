// Ground truth for the automatic alignment. Views are made from photographs
// and from the demo scene with known shifts (±60 px), turns (±3°), scales
// (0.97–1.03), a horizontal parallax that grows from top to bottom, brightness
// changes and noise, written as JPEG files with a project over them, and
// aligned as `lumivex align` does. For every image the residual at the four
// corners against the reference image is printed: vertical (an error) and
// horizontal less the parallax and a common shift (the parallax is depth and
// must stay: "kept" is the share of it still there after alignment).
//
// Each case folder also gets wahrheit.txt, which bench/align_opencv.py reads
// to run OpenCV's ECC and ORB + RANSAC on the same pictures.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "Messung.h"
#include "align/AutoJustierung.h"
#include "commands/Projekt.h"
#include "demo/Szene.h"
#include "imageio/Jpeg.h"
#include "model/ProjectFile.h"
#include "platform/HeadlessServices.h"
#include "raster/Justieren.h"
#include "raster/Matrix4Ops.h"
#include "raster/RasterImage.h"
#include "raster/Uebertragung.h"

namespace fs = std::filesystem;

namespace {

const char* const hilfe =
    "Aufruf: bench_align ORDNER [--fotos ORDNER] [--groesse klein|gross|alle] [--wiederholungen N] [--fein]\n"
    "                   [--nur NAME] [--saat N] [--alle-fotos]\n"
    "\n"
    "Erzeugt die Fälle in ORDNER (Fotos aus --fotos, Vorgabe /usr/share/backgrounds/mate/nature,\n"
    "dazu die Demo-Szene), justiert sie und gibt die Restfehler an den Ecken aus.\n"
    "Die Fotos liefert das Debian-Paket mate-backgrounds (apt-get install mate-backgrounds).\n"
    "--nur NAME nimmt nur das Foto NAME (ohne Endung) oder \"demo\"; die Zufallswerte der\n"
    "Fälle hängen dann von der Auswahl ab. --saat N wählt andere Zufallsfälle (Vorgabe 20240607),\n"
    "--alle-fotos nimmt jedes Foto des Ordners statt vier.\n"
    "Zeit je Paar: Wanduhr (Median der Wiederholungen) und Prozessorzeit aller Threads.\n";

struct Zufall {
    uint32_t z;
    double gleich(double a, double b)
    {
        z = z * 1664525u + 1013904223u;
        return a + (b - a) * static_cast<double>(z >> 8) / static_cast<double>(1u << 24);
    }
    double normal()
    {
        const double u = std::max(gleich(0.0, 1.0), 1e-12), v = gleich(0.0, 1.0);
        return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * 3.14159265358979323846 * v);
    }
};

// One view: where a scene point (in the reference frame) lands, and the brightness change.
struct Wahrheit {
    double tx = 0.0, ty = 0.0, rot = 0.0, skal = 1.0;  // about the picture's centre
    double parallaxe = 0.0;                            // horizontal shift at the bottom row, 0 at the top
    double gain = 1.0, offset = 0.0;
};

// Scene point → view pixel: the parallax shear, then the similarity about the centre.
Matrix4 vorwaerts(const Wahrheit& w, double W, double H)
{
    Matrix4 scher = Matrix4::Einheit();
    scher.m[0][1] = w.parallaxe / H;
    Matrix4 sim = Matrix_4_Verschiebung(w.tx, w.ty);
    sim = Matrix_4_UmZentrum(sim, Matrix_4_DrehungZ(w.rot), W / 2.0, H / 2.0);
    sim = Matrix_4_UmZentrum(sim, Matrix_4_Skalierung(w.skal, w.skal), W / 2.0, H / 2.0);
    return Matrix_4_Produkt(sim, scher);
}

// A view of W × H out of a scene picture that is larger by a margin on every side.
Bitmap24 ansicht(const Bitmap24& szene, const Wahrheit& w, int32_t W, int32_t H, Zufall& zufall)
{
    Bitmap24 bild(W, H);
    const double mx = (szene.breite - W) / 2.0, my = (szene.hoehe - H) / 2.0;
    Abbildung a;
    a.g = Matrix_4_Produkt(Matrix_4_Verschiebung(mx, my), Matrix_4_Inverse(vorwaerts(w, W, H)));
    ResampleOptionen o;
    Resampeln(szene, bild, a, o);
    for (uint8_t& v : bild.pixel)
        v = static_cast<uint8_t>(std::clamp(std::lround(w.gain * v + w.offset + 2.0 * zufall.normal()), 0L, 255L));
    return bild;
}

Bitmap24 skaliert(const Bitmap24& quelle, int32_t breite, int32_t hoehe)
{
    Bitmap24 ziel(breite, hoehe);
    Abbildung a;
    const double f = std::max(static_cast<double>(breite) / quelle.breite, static_cast<double>(hoehe) / quelle.hoehe);
    a.g = Matrix_4_Produkt(Matrix_4_Verschiebung((quelle.breite - breite / f) / 2.0, (quelle.hoehe - hoehe / f) / 2.0),
                           Matrix_4_Skalierung(1.0 / f, 1.0 / f));
    ResampleOptionen o;
    Resampeln(quelle, ziel, a, o);
    return ziel;
}

bool jpegSchreiben(Context& ctx, const Bitmap24& bild, const fs::path& datei)
{
    RasterSlot raster;
    raster.pfad = (ctx.files().tempFolder() / "ansicht.bmp").string();
    const bool ok = guarded(ctx, [&] { BitmapSchreiben(ctx, bild, raster); }) && JPEG_Schreiben(ctx, datei.string(), raster);
    fs::remove(raster.pfad);
    return ok;
}

Bitmap24 jpegLesen(Context& ctx, const fs::path& datei)
{
    RasterSlot raster;
    raster.pfad = (ctx.files().tempFolder() / "foto.bmp").string();
    Bitmap24 bild;
    if (JPEG_Lesen(ctx, datei.string(), raster) == Ladeergebnis::Ok)
        guarded(ctx, [&] { bild = BitmapLesen(ctx, raster); });
    fs::remove(raster.pfad);
    return bild;
}

struct Fall {
    std::string name;
    int32_t W = 0, H = 0;
    int anzahl = 2;
    int referenz = 1;
    std::vector<Wahrheit> wahr;
    bool demo = false;
};

struct Rest {
    double senkrecht = 0.0, waagerecht = 0.0, behalten = 100.0;
    std::string status;
};

// The residual of image i against the reference at the four corners.
Rest rest(const Fall& f, const ImageEntry& bild, const ImageEntry& ref, const RefInfo& refInfo, int i)
{
    const Groesse g{f.W, f.H};
    const Matrix4 fi = Matrix_4_Produkt(Vorwaertsmatrix(bild, Ermittle_Bildlage(bild, refInfo, g)),
                                        vorwaerts(f.wahr[static_cast<size_t>(i)], f.W, f.H));
    const Matrix4 fr = Matrix_4_Produkt(Vorwaertsmatrix(ref, Ermittle_Bildlage(ref, refInfo, g)),
                                        vorwaerts(f.wahr[static_cast<size_t>(f.referenz - 1)], f.W, f.H));
    const double parallaxe = f.wahr[static_cast<size_t>(i)].parallaxe - f.wahr[static_cast<size_t>(f.referenz - 1)].parallaxe;
    Rest r;
    double ex[4], mitte = 0.0;
    int k = 0;
    for (const double y : {0.0, static_cast<double>(f.H)})
        for (const double x : {0.0, static_cast<double>(f.W)}) {
            const Vektor4 a = Matrix_4_MalVektor(fi, {x, y, 0.0, 1.0});
            const Vektor4 b = Matrix_4_MalVektor(fr, {x, y, 0.0, 1.0});
            r.senkrecht = std::max(r.senkrecht, std::fabs(a[1] - b[1]));
            ex[k] = a[0] - b[0];
            mitte += (ex[k] - parallaxe * y / f.H) / 4.0;
            ++k;
        }
    for (k = 0; k < 4; ++k)
        r.waagerecht = std::max(r.waagerecht, std::fabs(ex[k] - parallaxe * (k / 2) - mitte));
    if (std::fabs(parallaxe) > 1.0 && !f.demo)
        r.behalten = 100.0 * ((ex[2] + ex[3]) - (ex[0] + ex[1])) / 2.0 / parallaxe;
    r.status = bild.AJStatus[0];
    return r;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

struct Ergebnis {
    std::vector<Rest> reste;
    double sekundenProPaar = 0.0;
    double cpuProPaar = 0.0;
};

// Writes the case's views and project, aligns them and measures.
Ergebnis laufen(const Fall& f, const std::vector<Bitmap24>& ansichten, const fs::path& ordner, int wiederholungen,
                bool fein)
{
    fs::create_directories(ordner);
    const auto temp = TempFolder();
    HeadlessServices dienste(temp->pfad());
    Programm p(dienste.services());
    ProjektDaten d;
    std::ofstream wahrheit(ordner / "wahrheit.txt");
    wahrheit << f.W << ' ' << f.H << ' ' << f.anzahl << ' ' << f.referenz << ' ' << (f.demo ? 1 : 0) << '\n';
    for (int i = 0; i < f.anzahl; ++i) {
        const fs::path datei = ordner / ("ansicht_" + std::to_string(i + 1) + ".jpg");
        jpegSchreiben(p.ctx, ansichten[static_cast<size_t>(i)], datei);
        ProjektBild b;
        b.pfad = datei.string();
        b.breite = f.W;
        b.hoehe = f.H;
        d.bilder.push_back(b);
        const Wahrheit& w = f.wahr[static_cast<size_t>(i)];
        wahrheit << w.tx << ' ' << w.ty << ' ' << w.rot << ' ' << w.skal << ' ' << w.parallaxe << '\n';
    }
    const fs::path projekt = ordner / "projekt.lvx";
    const std::vector<uint8_t> bytes = ProjektKodieren(d);
    std::ofstream(projekt, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<std::streamsize>(bytes.size()));
    Ergebnis e;
    std::vector<double> zeiten, cpu;
    for (int w = 0; w < wiederholungen; ++w) {
        if (!OeffnenAllgemein(p, projekt.string()))
            std::exit(1);
        p.autoJust.referenzbild = f.referenz;
        p.autoJust.grob = !fein;
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuSeconds();
        StartOFButtonClick(p);
        zeiten.push_back(seconds(start) / (f.anzahl - 1));
        cpu.push_back((cpuSeconds() - cpuStart) / (f.anzahl - 1));
    }
    e.sekundenProPaar = median(zeiten);
    e.cpuProPaar = median(cpu);
    for (int i = 0; i < f.anzahl; ++i)
        if (i != f.referenz - 1)
            e.reste.push_back(rest(f, p.bilder.bild[static_cast<size_t>(i + 1)],
                                   p.bilder.bild[static_cast<size_t>(f.referenz)], p.refInfo, i));
    p.DateienLoeschen();
    return e;
}

Wahrheit zufallsLage(Zufall& z, double massstab, double parallaxe)
{
    Wahrheit w;
    w.tx = z.gleich(-60.0, 60.0) * massstab;
    w.ty = z.gleich(-60.0, 60.0) * massstab;
    w.rot = z.gleich(-3.0, 3.0);
    w.skal = z.gleich(0.97, 1.03);
    w.parallaxe = parallaxe;
    return w;
}

}

int main(int argc, char** argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fputs(hilfe, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const fs::path ordner = argv[1];
    fs::path fotos = "/usr/share/backgrounds/mate/nature";
    std::string groesse = "alle";
    int wiederholungen = 1;
    bool fein = false;
    std::string nur;
    uint32_t saat = 20240607;
    bool alleFotos = false;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--fotos" && i + 1 < argc)
            fotos = argv[++i];
        else if (a == "--groesse" && i + 1 < argc)
            groesse = argv[++i];
        else if (a == "--wiederholungen" && i + 1 < argc)
            wiederholungen = std::max(1, std::atoi(argv[++i]));
        else if (a == "--fein")
            fein = true;
        else if (a == "--nur" && i + 1 < argc)
            nur = argv[++i];
        else if (a == "--saat" && i + 1 < argc)
            saat = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--alle-fotos")
            alleFotos = true;
        else {
            std::fprintf(stderr, "bench_align: unbekanntes Argument '%s'\n\n%s", a.c_str(), hilfe);
            return 2;
        }
    }
    std::vector<fs::path> quellen;
    std::error_code ec;
    for (const auto& eintrag : fs::recursive_directory_iterator(fotos, ec)) {
        std::string endung = eintrag.path().extension().string();
        std::transform(endung.begin(), endung.end(), endung.begin(), [](unsigned char c) { return std::tolower(c); });
        if (endung == ".jpg" || endung == ".jpeg")
            quellen.push_back(eintrag.path());
    }
    std::sort(quellen.begin(), quellen.end());
    // Four photographs spread over the sorted list.
    if (quellen.size() > 4 && !alleFotos)
        quellen = {quellen[0], quellen[quellen.size() / 4], quellen[quellen.size() / 2], quellen[quellen.size() * 3 / 4]};
    quellen.emplace_back("demo");

    std::vector<std::pair<int32_t, int32_t>> groessen;
    if (groesse != "gross")
        groessen.emplace_back(1200, 800);
    if (groesse != "klein")
        groessen.emplace_back(3000, 2000);

    const auto temp = TempFolder();
    HeadlessServices dienste(temp->pfad());
    Context ctx(dienste.services());
    Zufall z{saat};
    std::map<int32_t, std::vector<double>> senkrecht, waagerecht, behalten, zeiten, cpuZeiten;
    std::map<int32_t, int> fehlgeschlagen, bilderGesamt;
    std::printf("%-34s %5s %3s %-6s %8s %8s %7s %9s %9s\n", "Fall", "Größe", "Nr", "Status", "senkr.px", "waag.px",
                "Parall.%", "s/Paar", "CPU-s");
    for (const auto& [W, H] : groessen) {
        const double massstab = W / 1200.0;
        for (const fs::path& quelle : quellen) {
            const bool demo = quelle == "demo";
            if (!nur.empty() && quelle.stem().string() != nur)
                continue;
            for (const int anzahl : {2, 5}) {
                Fall f;
                f.W = W;
                f.H = H;
                f.anzahl = anzahl;
                f.referenz = anzahl == 2 ? 1 : 3;
                f.demo = demo;
                f.name = (demo ? std::string("demo") : quelle.stem().string()) + (anzahl == 2 ? "-paar" : "-folge");
                const double parallaxe = (demo ? 0.0 : z.gleich(10.0, 40.0)) * massstab;
                std::vector<Bitmap24> ansichten;
                Bitmap24 foto;
                if (!demo)
                    foto = skaliert(jpegLesen(ctx, quelle), W * 5 / 4, H * 5 / 4);
                for (int i = 0; i < anzahl; ++i) {
                    Wahrheit w = i == f.referenz - 1 ? Wahrheit{} : zufallsLage(z, massstab, parallaxe * (i + 1 - f.referenz));
                    w.gain = z.gleich(0.85, 1.15);
                    w.offset = z.gleich(-15.0, 15.0);
                    f.wahr.push_back(w);
                    if (demo) {
                        Szene szene;
                        szene.breite = W * 5 / 4;
                        szene.hoehe = H * 5 / 4;
                        szene.ansichten = anzahl;
                        foto = Bitmap24(szene.breite, szene.hoehe);
                        AnsichtRendern(szene, i, [&](int y, const uint8_t* bgr) {
                            std::memcpy(foto.zeile(y), bgr, 3 * static_cast<size_t>(szene.breite));
                        });
                    }
                    ansichten.push_back(ansicht(foto, w, W, H, z));
                }
                const Ergebnis e = laufen(f, ansichten, ordner / (f.name + "-" + std::to_string(W)), wiederholungen, fein);
                int nr = 0;
                for (const Rest& r : e.reste) {
                    ++nr;
                    const double grenze = massstab;  // 1 px at 1200 × 800
                    const bool gut = (r.status == "+" || r.status == "1") && r.senkrecht <= grenze;
                    std::printf("%-34s %5d %3d %-6s %8.3f %8.3f %7.1f %9.3f %9.3f%s\n", f.name.c_str(), W, nr,
                                r.status.c_str(), r.senkrecht, r.waagerecht, r.behalten, e.sekundenProPaar, e.cpuProPaar,
                                gut ? "" : "  FEHLER");
                    senkrecht[W].push_back(r.senkrecht / massstab);
                    waagerecht[W].push_back(r.waagerecht / massstab);
                    if (!f.demo)
                        behalten[W].push_back(r.behalten);
                    fehlgeschlagen[W] += gut ? 0 : 1;
                    ++bilderGesamt[W];
                }
                zeiten[W].push_back(e.sekundenProPaar);
                cpuZeiten[W].push_back(e.cpuProPaar);
                std::fflush(stdout);
            }
        }
    }
    std::printf("\nZusammenfassung (Restfehler auf 1200 × 800 umgerechnet)\n");
    for (const auto& [W, werte] : senkrecht) {
        std::printf("%5d: Bilder %d, fehlgeschlagen %d; senkrecht Median %.3f px, schlechtestes %.3f px; "
                    "waagerecht Median %.3f px, schlechtestes %.3f px; Parallaxe behalten Median %.1f %%; "
                    "Zeit je Paar Median %.3f s, längste %.3f s; Prozessorzeit je Paar Median %.3f s, längste %.3f s\n",
                    W, bilderGesamt[W], fehlgeschlagen[W], median(werte), *std::max_element(werte.begin(), werte.end()),
                    median(waagerecht[W]), *std::max_element(waagerecht[W].begin(), waagerecht[W].end()),
                    median(behalten[W]), median(zeiten[W]), *std::max_element(zeiten[W].begin(), zeiten[W].end()),
                    median(cpuZeiten[W]), *std::max_element(cpuZeiten[W].begin(), cpuZeiten[W].end()));
    }
    return 0;
}
