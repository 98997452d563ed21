#include "campaign/SavingFileCheck.hpp"

namespace Kestrum
{
    void CheckSavingFile(const std::string&, unsigned long) {}
}
