#pragma once
#include <QIcon>

// The program's own small pictures: one per tab, and the tool bar's copy and print.
QIcon TabSymbol(int tab);
QIcon KopierenSymbol();
QIcon DruckerSymbol();
