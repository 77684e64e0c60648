#pragma once

#include <QString>

// A stored colour value (colorvalue.h) told in Czech words, for screen readers: "bílá",
// "tmavě modrá"; a colour off the sixteen basic ones is "přibližně" the nearest of them, with its
// red, green and blue parts; a system colour by its role ("barva okna").
namespace colorwords {

QString describe(int colorValue);

} // namespace colorwords
