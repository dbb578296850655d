#pragma once
#include <cstdint>
#include <functional>

// A procedurally built scene: a textured back wall, a floor and objects at
// several depths, seen through a pinhole camera moved sideways from view to view.
struct Szene {
    int breite = 800;
    int hoehe = 600;
    int ansichten = 4;       // 2 to 12 viewpoints
    double basis = 0.24;     // camera shift between the outermost views, in scene units
};

// Renders view k (0-based, left to right) row by row, top row first; each row
// holds breite pixels as blue, green, red.
void AnsichtRendern(const Szene& szene, int k, const std::function<void(int y, const uint8_t* bgr)>& zeile);
