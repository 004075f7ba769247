#pragma once
// Text labels will show, drawn off screen beforehand in each label's font: the face is loaded
// and the glyphs rendered into the font's cache, so a label's first paint of them costs no more
// than any other. A large CJK face takes milliseconds to load, and each first glyph a fraction
// of one.

#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <cstddef>
#include <deque>

class QLabel;

namespace vexlo::qtview {

// Draws `sample` once, off screen, in `label`'s font at its resolution.
void warmGlyphs(const QLabel& label, const QString& sample);

// Warms samples a character at a time, one character per pass of the event loop, so that a key
// arriving meanwhile waits for one glyph at most (for the face's loading with the first).
class GlyphWarmer : public QObject {
  public:
    using QObject::QObject;

    void add(const QLabel* label, const QString& sample);
    // Begins after `delay`; later calls do nothing.
    void start(std::chrono::milliseconds delay);
    bool started() const { return started_; }
    std::size_t pending() const { return pending_.size(); }

  private:
    void step();

    struct Pending {
        QPointer<const QLabel> label;
        QString character;
    };
    std::deque<Pending> pending_;
    bool started_ = false;
};

}  // namespace vexlo::qtview
