#pragma once
// Turns the drawing's texts into UTF-8, by the character set the drawing's header declares,
// and decodes the codes DXF writes for characters. The report shows texts so; the CSV does
// when it is written in another encoding than the drawing's.

#include <optional>
#include <string>
#include <string_view>

namespace dxf2csv {

class TextDecoder {
public:
    /// The header's $ACADVER value: AC1021 (2007) and later store UTF-8.
    void setVersion(std::string_view acadver);
    /// The header's $DWGCODEPAGE value: ANSI_932 is read as code page 932, ANSI_1252 as 1252,
    /// ... A page the system cannot convert is ignored.
    void setCodePage(std::string_view codePage);

    /// UTF-8 for the report; bytes that do not convert become U+FFFD. Without a declared
    /// character set, valid UTF-8 is kept and anything else is read as CP932.
    std::string toUtf8(std::string_view bytes) const;

    /// toUtf8, then the text codes decoded (\U+XXXX, %%c, ...; see decodeTextCodes): the text
    /// as the drawing shows it.
    std::string decode(std::string_view bytes) const;

    /// The character set the drawing's texts are stored in: UTF-8 (AC1021 and later), else
    /// the declared code page, else Shift-JIS (as toUtf8 reads a text that is no UTF-8).
    /// Nothing for UTF-8.
    std::optional<int> storedCodePage() const;

    /// The code page whose characters %%nnn names: the declared one, else Shift-JIS. For
    /// texts whose own formatting must come off between toUtf8 and decodeTextCodes (MTEXT).
    int codePageForCodes() const;

private:
    bool utf8_ = false;
    int codePage_ = 0; ///< the declared page; 0 when none
};

} // namespace dxf2csv
