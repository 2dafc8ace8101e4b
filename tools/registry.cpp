#include "registry.h"

#include "../conductivity/programs.h"
#include "../heatflow/programs.h"

namespace milfo {

const std::vector<const ProgramDescription*>& allPrograms()
{
    static const std::vector<const ProgramDescription*> programs = {
        &conductivity::pimbrel(),  &conductivity::mostrel(),        &conductivity::nethrow(),
        &conductivity::dovrin(),   &conductivity::sonderly(),       &conductivity::tarvel(),
        &conductivity::halcott(),  &conductivity::fennick(),        &conductivity::castrel(),
        &heatflow::heatTransfer(), &heatflow::heatLoss(),           &heatflow::yardow(),
        &heatflow::ravelt(),       &heatflow::surfaceTemperature(), &heatflow::lorvast(),
    };
    return programs;
}

const ProgramDescription* findProgram(std::string_view name)
{
    for (const ProgramDescription* p : allPrograms())
        if (name == p->name)
            return p;
    return nullptr;
}

}  // namespace milfo
