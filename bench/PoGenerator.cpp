#include "bench/PoGenerator.h"

#include <cstdio>

namespace TsXmlLibBench {

namespace {

// splitmix64: small, fast and fully determined by its seed.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform enough in [0, n) for n far below 2^32.
    unsigned Below(unsigned n) { return static_cast<unsigned>(Next() % n); }

private:
    std::uint64_t m_state;
};

const char* const kProducts[] = {
    "Lawnmower", "Baby Monitor", "Gartenschlauch \xE2\x80\x93 25 m", "Garden Hose", "Wheelbarrow",
    "Pruning Shears", "Watering Can", "Leaf Blower & Vacuum", "Hedge Trimmer", "Compost Bin <large>",
    "Rake", "Seed Spreader", "Bird Feeder", "Patio Umbrella", "Tomato Cage", "Sprinkler \"Rain King\"",
};

const char* const kComments[] = {
    "Confirm this is electric", "Gift wrap, please", "Leave at the back door",
    "Call before delivery", "Fragile: handle with care", "Ship together with the rest of the order",
};

void Append(std::string& out, const char* text) { out += text; }

// Element text and attribute values need the five predefined entities where
// the product names contain their characters.
void AppendEscaped(std::string& out, const char* text)
{
    for (const char* p = text; *p; ++p) {
        switch (*p) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default: out += *p; break;
        }
    }
}

void AppendAddress(std::string& out, const char* tag, const char* name, const char* street, const char* city,
                   const char* state, const char* zip)
{
    out += "  <";
    out += tag;
    out += " country=\"US\">\n    <name>";
    out += name;
    out += "</name>\n    <street>";
    out += street;
    out += "</street>\n    <city>";
    out += city;
    out += "</city>\n    <state>";
    out += state;
    out += "</state>\n    <zip>";
    out += zip;
    out += "</zip>\n  </";
    out += tag;
    out += ">\n";
}

void AppendItem(std::string& out, Random& random)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%03u-%c%c", random.Below(1000), 'A' + random.Below(26),
                  'A' + random.Below(26));
    Append(out, "    <item partNum=\"");
    Append(out, buffer);
    Append(out, "\">\n      <productName>");
    AppendEscaped(out, kProducts[random.Below(sizeof kProducts / sizeof *kProducts)]);
    std::snprintf(buffer, sizeof buffer, "</productName>\n      <quantity>%u</quantity>\n", 1 + random.Below(99));
    Append(out, buffer);
    std::snprintf(buffer, sizeof buffer, "      <USPrice>%u.%02u</USPrice>\n", random.Below(2000), random.Below(100));
    Append(out, buffer);
    if (random.Below(10) < 3) {
        Append(out, "      <comment>");
        AppendEscaped(out, kComments[random.Below(sizeof kComments / sizeof *kComments)]);
        Append(out, "</comment>\n");
    }
    if (random.Below(10) < 4) {
        std::snprintf(buffer, sizeof buffer, "      <shipDate>20%02u-%02u-%02u</shipDate>\n", 20 + random.Below(10),
                      1 + random.Below(12), 1 + random.Below(28));
        Append(out, buffer);
    }
    Append(out, "    </item>\n");
}

} // namespace

std::string GeneratePurchaseOrder(std::size_t targetBytes, std::uint64_t seed)
{
    static const char kTail[] = "  </items>\n</purchaseOrder>\n";
    Random random(seed);
    std::string out;
    out.reserve(targetBytes + 512);
    Append(out, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<purchaseOrder xmlns=\"urn:tsxmllib:samples:po\" orderDate=\"2026-11-20\">\n");
    AppendAddress(out, "shipTo", "Alice Smith", "123 Maple Street", "Mill Valley", "CA", "90952");
    AppendAddress(out, "billTo", "Robert Smith", "8 Oak Avenue", "Old Town", "PA", "95819");
    Append(out, "  <comment>Hurry, my lawn is going wild!</comment>\n  <items>\n");
    while (out.size() + sizeof kTail - 1 < targetBytes)
        AppendItem(out, random);
    Append(out, kTail);
    return out;
}

std::size_t CountItems(const std::string& document)
{
    std::size_t count = 0;
    for (std::size_t at = document.find("<item "); at != std::string::npos; at = document.find("<item ", at + 1))
        ++count;
    return count;
}

} // namespace TsXmlLibBench
