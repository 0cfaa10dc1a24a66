// The static metadata of one bound class, built once on first use under the
// generator's initialisation lock and freed at program exit. Every sample
// class keeps one of these, as generated code keeps its three tables.
#ifndef TSXMLLIB_SAMPLES_SAMPLEMETADATA_H
#define TSXMLLIB_SAMPLES_SAMPLEMETADATA_H

#include "tsxmllib/XmlGeneratedClass.h"

#include <atomic>

namespace TsXmlLibSamples {

struct CSampleMetaData {
    using CleanFunction = void (*)(TsXmlLib16Data::CParentElementInfo*&, TsXmlLib16Data::CElementInfo**&,
                                   TsXmlLib16Data::CAttributeInfo**&);

    explicit CSampleMetaData(CleanFunction clean) : m_clean(clean) {}
    CSampleMetaData(const CSampleMetaData&) = delete;
    CSampleMetaData& operator=(const CSampleMetaData&) = delete;
    ~CSampleMetaData() { m_clean(classInfo, elements, attributes); }

    // Runs build once; later calls cost one atomic load.
    template <class Build>
    void Ensure(Build build)
    {
        if (m_ready.load(std::memory_order_acquire))
            return;
        ::CTSLock lock(TsXmlLib16::CXmlGeneratedClass::m_csInit);
        if (m_ready.load(std::memory_order_relaxed))
            return;
        build(*this);
        m_ready.store(true, std::memory_order_release);
    }

    TsXmlLib16Data::CParentElementInfo* classInfo = nullptr;
    TsXmlLib16Data::CElementInfo** elements = nullptr;
    TsXmlLib16Data::CAttributeInfo** attributes = nullptr;

private:
    CleanFunction m_clean;
    std::atomic<bool> m_ready{false};
};

} // namespace TsXmlLibSamples

#endif
