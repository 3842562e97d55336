#include "bench/deep_cast_card.h"

#include <fstream>

#include "simulator/cast_generator.h"

namespace quorvane::bench {

DeepCastCard makeDeepCastCard(const std::string& folderName) {
    namespace fs = std::filesystem;
    DeepCastCard card;
    card.folder = fs::temp_directory_path() / folderName;
    fs::remove_all(card.folder);
    fs::create_directories(card.folder / "card");
    sim::CastOptions cast;
    cast.maxDepth = 300;
    card.cast = sim::generateCast(cast);
    std::ofstream(card.folder / "card" / "CAST0001.BIN", std::ios::binary)
        .write(reinterpret_cast<const char*>(card.cast.data()), std::streamsize(card.cast.size()));
    card.options.storageDir = (card.folder / "card").string();
    card.options.casts = 0;
    card.options.baud = 921600;
    return card;
}

}  // namespace quorvane::bench
