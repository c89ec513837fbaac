#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <random>

namespace bv {

// The entry that the PWAD picker adds for a chosen file: the part after the Doom directory
// when the file lies below it (matched without regard to case, kept in the path's own case),
// otherwise the path as chosen.
QString pwadEntry(const QString& path, const QString& doomDirectory);

// The PWAD list with one more entry, separated from the others by one blank.
QString appendPwad(const QString& list, const QString& entry);

// The weapons order with one more code, unless it already holds its nine characters.
QString appendWeapon(const QString& order, QChar code);

// The demo name that a demo file gives: its name without the four characters of ".lmp".
QString demoName(const QString& fileName);

// Bare names of the files of a folder that match a wildcard pattern without regard to case,
// sorted by name. An unreadable or missing folder gives no names.
QStringList matchingFileNames(const QString& folder, const QString& pattern);

// Random warp levels from 1 to 32. Every generator starts from the same state, so every run
// of the program offers the same sequence.
class RandomLevel {
public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 32;

    int next() { return levels_(engine_); }

private:
    static constexpr std::uint32_t kSeed = 5489u;
    std::mt19937 engine_{kSeed};
    std::uniform_int_distribution<int> levels_{kFirst, kLast};
};

} // namespace bv
