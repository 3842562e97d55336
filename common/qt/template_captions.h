#pragma once

#include <QHash>
#include <QString>

namespace quorvane {

// The captions of a program's window templates: the built-in Chinese ones, or in English the
// ones of the program's language library, by the same identifiers.
class TemplateCaptions {
  public:
    // Chinese: every caption is the built-in text.
    TemplateCaptions() = default;

    // Loads the language library `name` (platform prefix and suffix added) from `folder` first
    // (the program's own folder: the platform's search does not look there everywhere), then
    // by the platform's library search. False when neither yields a caption table.
    bool loadLibrary(const QString& name, const QString& folder);

    bool english() const { return english_; }

    // The caption of `id`: the library's in English, else `zh`. An id the library lacks shows
    // the built-in text rather than an empty control.
    QString text(int id, const char* zh) const;

  private:
    bool english_ = false;
    QHash<int, QString> captions_;
};

}  // namespace quorvane
