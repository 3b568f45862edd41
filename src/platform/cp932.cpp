#include "platform/cp932.h"

#include <cerrno>
#include <iconv.h>
#include <utility>

namespace k5 {
namespace {

bool isAscii(const QByteArray& bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// iconv descriptors are costly to open; every thread keeps one per direction.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input; each unconvertible unit of `skipUnit` bytes
    // (or one byte for an invalid sequence) becomes `replacement`.
    QByteArray convert(const QByteArray& in, const QByteArray& replacement, bool utf8Input,
                       int* replaced = nullptr) const {
        QByteArray out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.constData());
        size_t srcLeft = static_cast<size_t>(in.size());
        char buffer[1024];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<qsizetype>(dst - buffer));
            if (rc != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: replace one character and go on.
            out.append(replacement);
            if (replaced) ++*replaced;
            size_t skip = 1;
            if (utf8Input) {
                auto lead = static_cast<unsigned char>(*src);
                skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
                if (skip > srcLeft) skip = srcLeft;
            }
            src += skip;
            srcLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

  private:
    iconv_t cd_;
};

// Unicode characters and the CP932 characters that stand for them on Windows.
constexpr std::pair<char16_t, char16_t> kCp932Twins[] = {
    {u'\u301C', u'\uFF5E'}, // 〜 WAVE DASH → ～ FULLWIDTH TILDE
    {u'\u2212', u'\uFF0D'}, // − MINUS SIGN → － FULLWIDTH HYPHEN-MINUS
    {u'\u2016', u'\u2225'}, // ‖ DOUBLE VERTICAL LINE → ∥ PARALLEL TO
    {u'\u00A2', u'\uFFE0'}, // ¢ → ￠
    {u'\u00A3', u'\uFFE1'}, // £ → ￡
    {u'\u00AC', u'\uFFE2'}, // ¬ → ￢
    {u'\u2014', u'\u2015'}, // — EM DASH → ― HORIZONTAL BAR
};

} // namespace

QString withCp932Twins(const QString& text) {
    QString mapped = text;
    for (QChar& c : mapped)
        for (const auto& [unicode, twin] : kCp932Twins)
            if (c.unicode() == unicode) c = QChar(twin);
    return mapped;
}

QByteArray toCp932(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    if (isAscii(utf8)) return utf8;
    thread_local Converter encoder("CP932", "UTF-8");
    return encoder.convert(withCp932Twins(text).toUtf8(), "?", true);
}

bool cp932CanHold(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    if (isAscii(utf8)) return true;
    utf8 = withCp932Twins(text).toUtf8();
    thread_local Converter encoder("CP932", "UTF-8");
    int replaced = 0;
    encoder.convert(utf8, "?", true, &replaced);
    return replaced == 0;
}

int cp932Length(const QString& text) {
    return static_cast<int>(toCp932(text).size());
}

QString fromCp932(const QByteArray& bytes) {
    QByteArray cleaned = bytes;
    cleaned.replace('\0', ' ');
    if (isAscii(cleaned)) return QString::fromLatin1(cleaned);
    thread_local Converter decoder("UTF-8", "CP932");
    return QString::fromUtf8(decoder.convert(cleaned, "?", false));
}

} // namespace k5
