#include "catalogue.h"

namespace milfo {

const CatalogueEntry* findEntry(std::string_view name)
{
    for (const CatalogueEntry& e : catalogue())
        if (name == e.name)
            return &e;
    return nullptr;
}

const std::vector<const ProgramDescription*>& allPrograms()
{
    static const std::vector<const ProgramDescription*> programs = [] {
        std::vector<const ProgramDescription*> all;
        for (const CatalogueEntry& e : catalogue())
            all.push_back(&e.description());
        return all;
    }();
    return programs;
}

const ProgramDescription* findProgram(std::string_view name)
{
    const CatalogueEntry* e = findEntry(name);
    return e != nullptr ? &e->description() : nullptr;
}

}  // namespace milfo
