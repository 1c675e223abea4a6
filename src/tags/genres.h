#pragma once

#include <QString>

#include <array>

// The ID3v1 genre names, numbers 0 to 147, in this program's own spelling.
class GenreTable {
public:
    static constexpr int kCount = 148;

    // Stores the 148 names in index order.
    void fill();
    // The name of a genre number; "Unknown" for 148 to 255.
    QString sGenreName(quint8 genre) const;

private:
    std::array<QString, kCount> m_names;
};
