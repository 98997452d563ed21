// Every particle effect of the game (shot impacts, explosions, smoke) is a
// numbered definition, "particle_system.xml" in its own three-digit folder under
// resources|particles (effect 7 lives in 007). The factory reads them all once,
// at start-up, into prototypes, and hands out running copies by number.
//
// The definition file:
//
//   <particle_system>
//     <renderers>
//       <renderer type="line" name="sparks">             (line: a streak along the velocity)
//         <line_width>2</line_width> <line_length>0.05</line_length> <blend_mode>add</blend_mode>
//       </renderer>
//       <renderer type="sprite" name="puffs">              (sprite: a textured square)
//         <blend_mode>alpha</blend_mode> <texture>puff.png</texture>   (relative to the folder)
//         <atlas_dimensions x="2" y="2"/> <scaling x="1" y="1"/>       (both optional)
//       </renderer>
//     </renderers>
//     <particle_models>
//       <particle_model name="fire">
//         <life_time><random minimum="0.4" maximum="0.8"/></life_time>
//         <alpha><mutable><start>1</start><end>0</end></mutable></alpha>   (from start to end)
//         <size><random minimum="8" maximum="16"/></size>                 (drawn at birth)
//         <red>1</red>                                                    (fixed)
//       </particle_model>
//     </particle_models>
//     <particle_groups>
//       <particle_group model="fire" renderer="puffs">
//         <particle_capacity>200</particle_capacity>    (default 1000, at most 100000)
//         <sort_particles>false</sort_particles>       (default false)
//         <gravity x="0" y="0" z="-300"/>               (default none)
//         <friction>1.5</friction>                      (default 0)
//         <emitters>
//           <emitter type="spheric">
//             <specific_parameters>
//               <direction x="0" y="0" z="1"/> <angle_tuple a="0" b="180"/>
//             </specific_parameters>
//             <zone type="point"><position x="0" y="0" z="0"/></zone>
//             <tank>60</tank> <flow>2000</flow>          (tank default -1: unlimited)
//             <force><random minimum="50" maximum="200"/></force>
//           </emitter>
//         </emitters>
//       </particle_group>
//     </particle_groups>
//   </particle_system>
//
// Model parameters: red, green, blue, alpha, size, mass, angle, texture_index,
// rotation_speed (see ParticleModel.hpp); the emission cone, units and the
// meaning of z: SphericEmitter.hpp. Anything malformed stops the loading with an
// exception naming what is wrong (and, in its record, the file).
#pragma once

#include "core/StablePtr.hpp"

#include <SFML/System/Vector2.hpp>

#include <memory>

namespace Kestrum
{
    class ParticleSimulation;
    class ParticleSystem;

    class ParticleFactory
    {
    public:
        ParticleFactory();
        virtual ~ParticleFactory();
        ParticleFactory(const ParticleFactory&) = delete;
        ParticleFactory& operator=(const ParticleFactory&) = delete;

        // Seeds the particle random source from the game's generator and reads
        // every definition. A second call: LogicError "multiple calls to
        // ParticleFactory::Load()". A failing call leaves the factory unloaded.
        void Load();

        // A new running copy of effect `id` at the position, to be added to the
        // GameObjectManager. An effect that was not read at start-up is read now,
        // after the warning "installing new particle system at runtime -
        // performance may suffer"; an id of 1000 or more: LogicError "value must
        // be an unsigned integer smaller than 1000". Needs the registered render
        // window, TimeSystem and ParticleFactory (which the effect holds on to).
        stable_ptr<ParticleSystem> Get(unsigned long id, const sf::Vector2f& position);

        // The prototype of an effect; one that is not installed: OutOfRangeError.
        const ParticleSimulation& GetPrototype(unsigned long id) const;

    private:
        struct Data;
        std::unique_ptr<Data> m_data;
    };
}
