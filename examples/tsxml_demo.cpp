// Loads every XML document of a folder into the library's document model,
// plain and compressed, and reports what it holds.
//
//   tsxml_demo FOLDER
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

using namespace TsXmlLib16;

namespace {

struct Shape {
    long elements = 0;
    long attributes = 0;
    int depth = 0;
};

Shape Measure(const CXmlElement* root)
{
    Shape shape;
    std::vector<std::pair<const CXmlElement*, int>> pending{{root, 1}};
    while (!pending.empty()) {
        auto [element, depth] = pending.back();
        pending.pop_back();
        ++shape.elements;
        shape.attributes += static_cast<long>(element->GetAttributes().size());
        shape.depth = std::max(shape.depth, depth);
        for (const CXmlElement* child = element->GetFirstElement(); child; child = child->GetNextSiblingElement())
            pending.push_back({child, depth + 1});
    }
    return shape;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::vector<std::string> files;
    if (DIR* dir = opendir(argv[1])) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0)
                files.push_back(std::string(argv[1]) + "/" + name);
        }
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "no .xml files in %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const std::string& path : files) {
        try {
            CXmlDocument document;
            document.Load(path.c_str());
            const Shape shape = Measure(document.GetDocumentElement());

            // The same bytes compressed are recognised and read alike.
            const std::string bytes = ReadFile(path);
            CBinaryData packed(reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data())),
                               static_cast<unsigned long>(bytes.size()), false);
            CTsZip().Compress(packed, CompressionType_GZIP);
            CXmlDocument fromGzip;
            fromGzip.LoadXmlStream(packed.GetData(), packed.GetLength());
            const bool same = Measure(fromGzip.GetDocumentElement()).elements == shape.elements;

            std::printf("%s: root <%s> in [%s], %ld elements, %ld attributes, depth %d; %zu bytes, gzip %lu bytes, "
                        "gzip read back %s\n",
                        path.c_str(), document.GetDocumentElement()->GetLocalName().c_str(),
                        document.GetDocumentElement()->GetNamespaceURI().c_str(), shape.elements, shape.attributes,
                        shape.depth, bytes.size(), packed.GetLength(), same ? "identical" : "DIFFERENT");
            failures += same ? 0 : 1;
        } catch (const CTsException& e) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), e.GetFullMessage().c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
