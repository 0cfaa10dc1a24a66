// tsxml: converts documents between XML text, JSON and Fast Infoset, and tells
// what a document holds. Any data-oriented document is read into an untyped
// element tree, so no bound classes are needed.
//
//   tsxml convert IN [-o OUT] --to xml|json|fi [...]
//   tsxml info IN
//
// Exit status: 0 on success, 1 when reading, converting or writing fails,
// 2 for a command line that cannot be carried out. Every failure is one line
// on standard error.
#include "tools/CommandLine.h"
#include "tools/Conversion.h"
#include "tools/ErrorText.h"
#include "tools/FileIo.h"
#include "tools/InputForm.h"

#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlObjectBase.h"

#include <cstdio>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

#ifndef TSXML_VERSION
#define TSXML_VERSION "unknown"
#endif

using namespace TsXmlLib16;
using namespace TsXmlTool;

namespace {

std::string InputName(const CommandLine& line) { return line.input == "-" ? "standard input" : line.input; }

int Convert(const CommandLine& line, Progress& progress)
{
    const bool binary = line.write.form == OutputForm::FastInfoset || line.write.compression != CompressionType_None;
    if (binary && line.output == "-" && isatty(STDOUT_FILENO))
        throw UsageError("binary output is not written to a terminal; use -o FILE or a pipe");
    const CBinaryData input = ReadInput(line.input, progress);
    ReadOptions read;
    read.json = ReadsJson(line);
    read.jsonMode = line.write.jsonMode;
    progress.Show("reading the document (" + std::to_string(input.GetLength() >> 20) + " MiB)");
    CSmartPtr<CElement> root = ReadDocument(input, read);
    progress.Show("writing the document");
    const CBinaryData output = WriteDocument(*root, line.write);
    progress.Clear();
    WriteOutput(line.output, output);
    return 0;
}

int Info(const CommandLine& line, Progress& progress)
{
    const CBinaryData input = ReadInput(line.input, progress);
    ReadOptions read;
    read.json = ReadsJson(line);
    read.jsonMode = line.write.jsonMode;
    const InputKind kind = DetectInput(input.GetData(), input.GetLength(), read.json);
    progress.Show("counting elements");
    const DocumentStats stats = MeasureDocument(input, read);
    progress.Clear();
    std::printf("input: %s\n", InputName(line).c_str());
    std::printf("form: %s\n", Describe(kind).c_str());
    std::printf("size: %lu bytes", input.GetLength());
    if (kind.packing != Packing::None)
        std::printf(" (%zu bytes uncompressed)", kind.contentSize);
    std::printf("\n");
    if (stats.rootNamespace.empty())
        std::printf("root: %s\n", stats.rootName.c_str());
    else
        std::printf("root: {%s}%s\n", stats.rootNamespace.c_str(), stats.rootName.c_str());
    std::printf("elements: %llu\n", static_cast<unsigned long long>(stats.elements));
    std::printf("attributes: %llu\n", static_cast<unsigned long long>(stats.attributes));
    std::printf("depth: %d\n", stats.depth);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int Fail(Progress& progress, const std::string& where, const std::string& text)
{
    progress.Clear();
    std::fprintf(stderr, "tsxml: %s%s\n", where.empty() ? "" : (where + ": ").c_str(), text.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    // This program binds with the library of its own version.
    SetGeneratorVersion(TsRuntimeVersionMajor, TsRuntimeVersionMinor);
    const std::vector<std::string> args(argv + 1, argv + argc);
    Progress progress(isatty(STDERR_FILENO) != 0);
    CommandLine line;
    try {
        line = ParseCommandLine(args);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "tsxml: %s (see tsxml --help)\n", e.what());
        return 2;
    }
    try {
        switch (line.command) {
        case Command::Help:
            std::fputs(kUsage, stdout);
            return 0;
        case Command::Version:
            std::printf("tsxml %s (TsXmlLib runtime %d.%d)\n", TSXML_VERSION, TsRuntimeVersionMajor,
                        TsRuntimeVersionMinor);
            return 0;
        case Command::Convert:
            return Convert(line, progress);
        case Command::Info:
            return Info(line, progress);
        }
    } catch (const UsageError& e) {
        progress.Clear();
        std::fprintf(stderr, "tsxml: %s\n", e.what());
        return 2;
    } catch (const IoError& e) {
        return Fail(progress, "", e.what());
    } catch (const CTsException& e) {
        return Fail(progress, InputName(line), OneLine(e));
    } catch (const std::bad_alloc&) {
        return Fail(progress, InputName(line), "out of memory");
    }
    return 1;
}
