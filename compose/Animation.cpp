#include "compose/Animation.h"

#include <algorithm>

void Animation_Schritt(Animation& a, int32_t anzahl, bool pingPong)
{
    if (!a.rueckwaerts) {
        if (++a.bild > anzahl) {
            a.bild = pingPong ? anzahl : 1;
            a.rueckwaerts = pingPong;
        }
    } else if (--a.bild < 1) {
        a.bild = 1;
        a.rueckwaerts = false;
    }
}

int32_t Animation_Intervall(int32_t tempo)
{
    return (6 - std::clamp(tempo, 1, 5)) * 100;
}

std::vector<Animationsbild> Animation_Folge(int32_t anzahl, int32_t tempo, bool pingPong)
{
    std::vector<Animationsbild> folge;
    if (anzahl < 1)
        return folge;
    const int32_t dauer = Animation_Intervall(tempo);
    Animation a;
    do {
        if (!folge.empty() && folge.back().bild == a.bild)
            folge.back().dauer += dauer;
        else
            folge.push_back({a.bild, dauer});
        Animation_Schritt(a, anzahl, pingPong);
    } while (a.bild != 1 || a.rueckwaerts);
    return folge;
}
