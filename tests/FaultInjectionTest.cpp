// File input and output when the platform fails. Each failure is a
// CTsException naming the platform error; no call leaves a descriptor open.
#include "TestSupport.h"

#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"
#include "tsxmllib/XmlObjectBase.h"
#include "tsxmllib/XmlWriter.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace TsXmlLib16;
using TestSupport::MessageOf;

namespace {

std::size_t OpenDescriptors()
{
    std::size_t count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir))
            ++count;
        closedir(dir);
    }
    return count;
}

bool Exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Hex(int error)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(error));
    return text;
}

// Writes <list><value>..</value>...</list>; throws at value failAt, as a
// generated class does for a value that breaks its restrictions.
class Records : public CXmlObjectBase, private CInstanceMonitor {
public:
    Records() : TS_INSTANCE_MONITOR("CRecords") { SetElementName("list"); }
    CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override { return ""; }
    int count = 5000;
    int failAt = -1;
    int read = 0;

protected:
    std::string GetTargetNamespace() override { return ""; }
    void ToXml_Int(CXmlWriter* writer, bool, const char* ns, const CSerializationContext&, bool) const override
    {
        writer->StartElement(GetElementName(), ns);
        for (int i = 0; i < count; ++i) {
            if (i == failAt)
                throw CTsInvalidValueException("value out of range");
            writer->StartElement("value", ns);
            writer->WriteText("record number " + std::to_string(i), ItemType_string, false);
            writer->EndElement();
        }
        writer->EndElement();
    }
    CXmlElement* FromXml_Int(CXmlElement*, CXmlElement* first, const CSerializationContext&, bool) override
    {
        read = 0;
        for (CXmlElement* e = first; e; e = e->GetNextSiblingElement())
            ++read;
        return nullptr;
    }
};

enum class Form { XmlBuffered, XmlWhileWriting, JsonBuffered, JsonWhileWriting };

const Form kForms[] = {Form::XmlBuffered, Form::XmlWhileWriting, Form::JsonBuffered, Form::JsonWhileWriting};

std::string Name(Form form) { return "form " + std::to_string(static_cast<int>(form)); }

bool Buffered(Form form) { return form == Form::XmlBuffered || form == Form::JsonBuffered; }

void Write(const Records& records, Form form, const std::string& path)
{
    const CSerializationContext& ctx = CSerializationContext::GetDefaultContext();
    AsyncToXmlFile(!Buffered(form));
    if (form == Form::XmlBuffered || form == Form::XmlWhileWriting)
        records.ToXmlFile(path.c_str(), true, true, XmlEncoding_UTF8, EOLType_LF, ctx, CompressionType_None);
    else
        records.ToJsonFile(path.c_str(), true, XmlEncoding_UTF8, EOLType_LF, ctx, CompressionType_None);
}

class FaultInjection : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetGeneratorVersion(TsRuntimeVersionMajor, TsRuntimeVersionMinor);
        m_dir = ::testing::TempDir() + "tsxmllib_faults_" + std::to_string(getpid());
        ::mkdir(m_dir.c_str(), 0700);
        m_descriptors = OpenDescriptors();
    }
    void TearDown() override
    {
        AsyncToXmlFile(false);
        AsyncFromXmlFile(false);
        EXPECT_EQ(OpenDescriptors(), m_descriptors) << "a file descriptor was left open";
        std::system(("rm -rf '" + m_dir + "'").c_str());
    }
    std::string Path(const char* name) const { return m_dir + "/" + name; }

    // A folder in which creating a file fails, and its error: one without write
    // permission or, for a user whom permissions do not stop, a read-only file system.
    bool UnwritableFolder(std::string& folder, int& error) const
    {
        const std::string locked = Path("locked");
        ::mkdir(locked.c_str(), 0500);
        for (const std::string& candidate : {locked, std::string("/sys"), std::string("/proc")}) {
            const std::string probe = candidate + "/probe.xml";
            const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (fd >= 0) {
                ::close(fd);
                ::unlink(probe.c_str());
                continue;
            }
            folder = candidate;
            error = errno;
            return true;
        }
        return false;
    }

    std::string m_dir;
    std::size_t m_descriptors = 0;
};

} // namespace

TEST_F(FaultInjection, WriteFailuresNameTheFileAndThePlatformError)
{
    Records records;
    std::string readOnly;
    int readOnlyError = 0;
    const bool haveReadOnly = UnwritableFolder(readOnly, readOnlyError);
    ::mkdir(Path("folder").c_str(), 0700);
    struct Case {
        const char* name;
        std::string path;
        int error;
    };
    std::vector<Case> cases = {
        {"missing folder", Path("missing/out.txt"), ENOENT},
        {"folder as file", Path("folder"), EISDIR},
    };
    if (::access("/dev/full", W_OK) == 0)
        cases.push_back({"full device", "/dev/full", ENOSPC});
    if (haveReadOnly)
        cases.push_back({"read-only folder", readOnly + "/out.txt", readOnlyError});
    for (const Case& c : cases) {
        for (Form form : kForms) {
            SCOPED_TRACE(std::string(c.name) + ", " + Name(form));
            const std::string error = MessageOf([&] { Write(records, form, c.path); });
            EXPECT_EQ(error.rfind("Failed to write data to the file", 0), 0u) << error;
            EXPECT_NE(error.find(Hex(c.error)), std::string::npos) << error;
            // Opening names the file; a write that fails later may not.
            if (c.error != ENOSPC) {
                EXPECT_NE(error.find("[" + c.path + "]"), std::string::npos) << error;
            }
        }
    }
    EXPECT_FALSE(Exists(Path("missing")));
}

TEST_F(FaultInjection, GenerationThatFailsLeavesNoFileOnTheBufferedPath)
{
    Records records;
    records.failAt = 4000;
    for (Form form : kForms) {
        SCOPED_TRACE(Name(form));
        const std::string path = Path("generated.txt");
        std::ofstream(path) << "previous content";
        EXPECT_EQ(MessageOf([&] { Write(records, form, path); }), "value out of range");
        if (Buffered(form)) {
            // Nothing is written before the whole text exists: the old file stays.
            EXPECT_EQ(Slurp(path), "previous content");
        } else {
            // Text written while it is produced is in the file up to the failure.
            const std::string written = Slurp(path);
            EXPECT_NE(written, "previous content");
            EXPECT_NE(written.find("record number 1"), std::string::npos);
            EXPECT_EQ(written.find("record number 4000"), std::string::npos);
        }
        // Without an old file, the buffered path creates none.
        std::remove(path.c_str());
        EXPECT_THROW(Write(records, form, path), CTsException);
        if (Buffered(form)) {
            EXPECT_FALSE(Exists(path));
        }
        std::remove(path.c_str());
    }
}

TEST_F(FaultInjection, ReadFailuresNameTheFileAndThePlatformError)
{
    const CSerializationContext& ctx = CSerializationContext::GetDefaultContext();
    ::mkdir(Path("folder").c_str(), 0700);
    const std::string missing = Path("missing.xml"), folder = Path("folder");
    const auto error = [](const std::string& path, int code) {
        return "Failed to open the file [" + path + "] Error [" + Hex(code) + "]";
    };
    Records records;
    // A folder is refused when it is opened, not when it is read.
    for (bool chunked : {false, true}) {
        SCOPED_TRACE(chunked ? "in chunks" : "in one read");
        AsyncFromXmlFile(chunked);
        EXPECT_EQ(MessageOf([&] { records.FromXmlFile(missing.c_str(), ctx); }), error(missing, ENOENT));
        EXPECT_EQ(MessageOf([&] { records.FromXmlFile(folder.c_str(), ctx); }), error(folder, EISDIR));
    }
    EXPECT_EQ(MessageOf([&] { records.FromJsonFile(missing.c_str(), ctx); }), error(missing, ENOENT));
}

namespace {

// The element filter runs between the reads of the chunks: it changes the file under the reader.
std::function<void()> g_onFirstRecord;

bool ChangeFileOnFirstRecord(CXmlElement* element)
{
    if (g_onFirstRecord && element->GetLocalName() == "value") {
        g_onFirstRecord();
        g_onFirstRecord = nullptr;
    }
    return false;
}

} // namespace

TEST_F(FaultInjection, FilesCutShortOrRemovedWhileBeingRead)
{
    // Three and a half chunks of records.
    const std::string path = Path("big.xml");
    std::string xml = "<list>";
    while (xml.size() < 3 * CXmlDocument::kChunkSize + CXmlDocument::kChunkSize / 2)
        xml += "<value>record</value>";
    xml += "</list>";
    const std::size_t records = (xml.size() - 13) / 21;
    AsyncFromXmlFile(true);

    // Cut short after the first chunk was read: the text ends in a token.
    std::ofstream(path, std::ios::binary) << xml;
    g_onFirstRecord = [&] { ASSERT_EQ(::truncate(path.c_str(), 1000), 0); };
    {
        CXmlDocument doc(&ChangeFileOnFirstRecord);
        const std::string error = MessageOf([&] { doc.Load(path.c_str()); });
        EXPECT_EQ(error, "unclosed token at line 1");
        EXPECT_EQ(doc.GetDocumentElement(), nullptr);
    }

    // Removed while open: the open file stays readable to the end.
    std::ofstream(path, std::ios::binary) << xml;
    g_onFirstRecord = [&] { ASSERT_EQ(::unlink(path.c_str()), 0); };
    {
        CXmlDocument doc(&ChangeFileOnFirstRecord);
        doc.Load(path.c_str());
        std::size_t count = 0;
        for (const CXmlElement* e = doc.GetDocumentElement()->GetFirstElement(); e; e = e->GetNextSiblingElement())
            ++count;
        EXPECT_EQ(count, records);
    }
    EXPECT_FALSE(Exists(path));
}
