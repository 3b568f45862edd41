// Any bytes as the analysis program's support-reaction file: the reader
// refuses with a message or reads every line, never crashes.
#include "import/support_reaction_reader.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<k5::ReactionLine> lines;
    k5::parseSupportReactions(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
                              QStringLiteral("KW-FSPTK5"), lines);
    return 0;
}
