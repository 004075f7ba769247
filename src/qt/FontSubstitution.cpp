#include "qt/FontSubstitution.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QStringList>
#include <iterator>

namespace vexlo::qtview {

namespace {

constexpr const char* SerifFamilies[] = {"Noto Serif CJK JP", "IPAexMincho", "IPAMincho"};
constexpr const char* MonoFamilies[] = {"Noto Sans Mono CJK JP", "IPAGothic"};
constexpr const char* SansFamilies[] = {"Noto Sans CJK JP", "IPAexGothic", "IPAPGothic"};

enum class Kind { Serif, Mono, Sans };

struct Substitute {
    const char* name;  // UTF-8, as the settings file or the design names it
    Kind kind;
};

// Fixed-width originals take the monospaced family: their half-width characters are half an
// em wide, as the layout expects; proportional ones take the proportional family.
constexpr Substitute Substitutes[] = {
    {"ＭＳ 明朝", Kind::Serif},    {"ＭＳ Ｐ明朝", Kind::Serif}, {"MS Mincho", Kind::Serif},
    {"MS PMincho", Kind::Serif},   {"游明朝", Kind::Serif},      {"Yu Mincho", Kind::Serif},
    {"ＭＳ ゴシック", Kind::Mono}, {"MS Gothic", Kind::Mono},    {"System", Kind::Mono},
    {"Terminal", Kind::Mono},      {"Fixedsys", Kind::Mono},     {"ＭＳ Ｐゴシック", Kind::Sans},
    {"MS PGothic", Kind::Sans},    {"MS UI Gothic", Kind::Sans}, {"メイリオ", Kind::Sans},
    {"Meiryo", Kind::Sans},        {"游ゴシック", Kind::Sans},   {"Yu Gothic", Kind::Sans},
};

template <std::size_t N>
QString firstInstalled(const char* const (&families)[N]) {
    for (const char* family : families) {
        const QString name = QString::fromUtf8(family);
        if (QFontDatabase::hasFamily(name)) return name;
    }
    return {};
}

// Each question to the font database runs fontconfig's substitution, so each answer is kept,
// and a kind nobody has asked for is never looked up.
QString installedFamily(Kind kind) {
    switch (kind) {
        case Kind::Serif: {
            static const QString serif = firstInstalled(SerifFamilies);
            return serif;
        }
        case Kind::Mono: {
            static const QString mono = firstInstalled(MonoFamilies);
            return mono;
        }
        case Kind::Sans: {
            static const QString sans = firstInstalled(SansFamilies);
            return sans;
        }
    }
    return {};
}

const Substitute* substituteRow(const QString& name) {
    for (const Substitute& substitute : Substitutes) {
        if (name.compare(QString::fromUtf8(substitute.name), Qt::CaseInsensitive) == 0)
            return &substitute;
    }
    return nullptr;
}

}  // namespace

QString fontSubstituteFor(const QString& name) {
    const Substitute* row = substituteRow(name);
    return row != nullptr ? installedFamily(row->kind) : QString();
}

void registerFontSubstitute(const QString& name) {
    const Substitute* row = substituteRow(name);
    if (row == nullptr) return;
    static bool registered[std::size(Substitutes)] = {};
    bool& done = registered[row - Substitutes];
    if (done) return;
    done = true;
    // An installed font of that very name is used as it is.
    if (QFontDatabase::hasFamily(name)) return;
    const QString family = installedFamily(row->kind);
    if (!family.isEmpty()) QFont::insertSubstitution(QString::fromUtf8(row->name), family);
}

void installInterfaceFallback() {
    static const bool installed = [] {
        // Japanese text in menus and dialogs falls back to the face the display uses by
        // default: its kanji and kana are those of the proportional family, and start-up then
        // loads one large Japanese face instead of two.
        const QString mono = installedFamily(Kind::Mono);
        if (!mono.isEmpty() && QGuiApplication::instance() != nullptr) {
            QFont font = QGuiApplication::font();
            if (!font.families().contains(mono)) {
                // The default family is often an alias ("Sans Serif") that a list would skip.
                font.setFamilies({QFontInfo(font).family(), mono});
                QGuiApplication::setFont(font);
            }
        }
        return true;
    }();
    (void)installed;
}

}  // namespace vexlo::qtview
