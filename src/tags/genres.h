#pragma once

#include <QString>

// The ID3v1 genre names have numbers 0 to 147.
inline constexpr int kGenreCount = 148;

// The name of an ID3v1 genre number; "Unknown" for 148 to 255.
QString genreName(quint8 genre);
