#include "tags/genres.h"

#include <QCoreApplication>

#include <iterator>

namespace {

class GenreName {
    Q_DECLARE_TR_FUNCTIONS(GenreName)
};

// Five to a row, in number order: 0 to 79 are the original list, 80 to 147
// its common extension. The spellings are this program's own, shortened
// ones and "Psychadelic" included, and 30 and 84 are both "Fusion". Names
// are data, like the tag's own text: they are not translated.
// clang-format off
constexpr const char* kNames[] = {
    /*   0 */ "Blues", "Classic Rock", "Country", "Dance", "Disco",
    /*   5 */ "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal",
    /*  10 */ "New Age", "Oldies", "Other", "Pop", "R&B",
    /*  15 */ "Rap", "Reggae", "Rock", "Techno", "Industrial",
    /*  20 */ "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack",
    /*  25 */ "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk",
    /*  30 */ "Fusion", "Trance", "Classical", "Instrumental", "Acid",
    /*  35 */ "House", "Game", "Sound Clip", "Gospel", "Noise",
    /*  40 */ "Alt. Rock", "Bass", "Soul", "Punk", "Space",
    /*  45 */ "Meditative", "Instrum. Pop", "Instrum. Rock", "Ethnic", "Gothic",
    /*  50 */ "Darkwave", "Techno-Indust.", "Electronic", "Pop-Folk", "Eurodance",
    /*  55 */ "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta",
    /*  60 */ "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American",
    /*  65 */ "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes",
    /*  70 */ "Trailer", "Lo-Fi", "Tribal", "Acid Punk", "Acid Jazz",
    /*  75 */ "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock",
    /*  80 */ "Folk", "Folk/Rock", "National Folk", "Swing", "Fusion",
    /*  85 */ "Bebob", "Latin", "Revival", "Celtic", "Bluegrass",
    /*  90 */ "Avantgarde", "Gothic Rock", "Progress. Rock", "Psychadel. Rock", "Symphonic Rock",
    /*  95 */ "Slow Rock", "Big Band", "Chorus", "Easy Listening", "Acoustic",
    /* 100 */ "Humour", "Speech", "Chanson", "Opera", "Chamber Music",
    /* 105 */ "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove",
    /* 110 */ "Satire", "Slow Jam", "Club", "Tango", "Samba",
    /* 115 */ "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul", "Freestyle",
    /* 120 */ "Duet", "Punk Rock", "Drum Solo", "A Capella", "Euro-House",
    /* 125 */ "Dance Hall", "Goa", "Drum & Bass", "Club-House", "Hardcore",
    /* 130 */ "Terror", "Indie", "BritPop", "Negerpunk", "Polsk Punk",
    /* 135 */ "Beat", "Christian Gangsta Rap", "Heavy Metal", "Black Metal", "Crossover",
    /* 140 */ "Contemporary Christian", "Christian Rock", "Merengue", "Salsa", "Thrash Metal",
    /* 145 */ "Anime", "Jpop", "Synthpop",
};
// clang-format on
static_assert(std::size(kNames) == kGenreCount);

} // namespace

QString genreName(quint8 genre) {
    if (genre < kGenreCount)
        return QLatin1String(kNames[genre]);
    return GenreName::tr("Unknown");
}
