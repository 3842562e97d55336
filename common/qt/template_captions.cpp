#include "common/qt/template_captions.h"

#include <QDir>
#include <QLibrary>

#include "lang/caption_table.h"

namespace quorvane {

bool TemplateCaptions::loadLibrary(const QString& name, const QString& folder) {
    for (const QString& candidate : {QDir(folder).filePath(name), name}) {
        QLibrary library(candidate);
        const auto table = reinterpret_cast<QuorvaneCaptionTableFunction>(
            library.resolve(QUORVANE_CAPTION_TABLE_SYMBOL));
        if (table == nullptr) {
            continue;
        }
        int32_t count = 0;
        const QuorvaneCaption* captions = table(&count);
        captions_.clear();
        for (int32_t i = 0; i < count; ++i) {
            captions_.insert(captions[i].id, QString::fromUtf8(captions[i].text));
        }
        // The texts are copied: the library may be unloaded when `library` goes.
        english_ = true;
        return true;
    }
    return false;
}

QString TemplateCaptions::text(int id, const char* zh) const {
    if (english_) {
        const auto it = captions_.constFind(id);
        if (it != captions_.constEnd()) {
            return *it;
        }
    }
    return QString::fromUtf8(zh);
}

}  // namespace quorvane
