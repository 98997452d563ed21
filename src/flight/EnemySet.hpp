// Which enemy types a generated mission may field for each enemy class. An
// enemy-set file ("missions|enemysets|%010d.es.txt", listed and opened by the
// ResourceManager) holds whitespace-separated pairs of a class and a type:
//
//     Fly1 airship000   Fly2 airship001   Fly3 airship002
//     Fly4 airship005   Turret1 turret000 Turret1 turret001
//
// The classes are Fly1, Fly2, Fly3, Fly4 and Turret1 (any case), indices 0 to 4;
// every class needs at least one type, and every type must be in the enemy
// database. A class may come in any number of pairs; its types keep file order.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace Kestrum
{
    // The index of an enemy class: "Fly1" 0, "Fly2" 1, "Fly3" 2, "Fly4" 3,
    // "Turret1" 4, compared without regard to case; anything else:
    // UnknownTypeError "<name> is unknown enemy class".
    unsigned ToIndex(const std::string& name);

    class EnemySet
    {
    public:
        static const unsigned ClassCount = 5;

        EnemySet();
        virtual ~EnemySet();
        EnemySet(const EnemySet&) = delete;
        EnemySet& operator=(const EnemySet&) = delete;

        // Reads the file at the file-system path; a failure leaves the set as it
        // was. LoadError "odd count of values in <path> encountered", LoadError
        // "to few enemies in <path>" (fewer than ten values), UnknownTypeError
        // "<type> is unknown enemy variant", NotSupportedError "no enemies
        // specified for class <index>"; each carrying the path (ReadDataFile,
        // core/Files.hpp). Needs the EnemyFactory registered.
        void Load(const std::string& path);

        // The types of one class, 0 to 4, in file order.
        std::vector<std::string> GetVariants(unsigned classIndex) const;

    private:
        typedef std::array<std::vector<std::string>, ClassCount> Variants;
        std::shared_ptr<Variants> m_variants;
    };
}
