#include "levels/Mission.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "flight/MissionProgress.hpp"
#include "levels/CampaignMissions.hpp"
#include "levels/Layer.hpp"
#include "levels/MissionBlueprint.hpp"
#include "levels/TileManager.hpp"

#include <SFML/Audio/Music.hpp>

namespace Kestrum
{
    Mission::Mission(const stable_ptr<MissionBlueprint>& blueprint, const std::string& directory)
        : m_blueprint(blueprint), m_directory(directory)
    {
    }

    Mission::~Mission() = default;

    void Mission::OnEnter()
    {
        GetFromRegistry<TileManager>()->OnEnter();
        const stable_ptr<MissionProgress> progress = MissionProgress::Create();
        Registry::Instance()->Register<MissionProgress>(progress);
        m_progress = progress.get_shared();
        m_music = CreateMusic();
        if (m_music)
            m_music->play();
        BOOST_THROW_EXCEPTION(NotImplementedError("reseting ScrollSystem is missing is not implemented yet"));
    }

    void Mission::OnUpdate()
    {
        if (!m_progress)
            BOOST_THROW_EXCEPTION(LogicError());
        m_progress->GetData().OnUpdate();
        for (const std::shared_ptr<Layer>& layer : m_layers)
        {
            if (!layer)
                BOOST_THROW_EXCEPTION(LogicError());
            layer->OnUpdate();
        }
    }

    void Mission::OnExit()
    {
        m_layers.clear();
        if (m_music)
            m_music->stop();
        m_music.reset();
        if (!m_progress)
            BOOST_THROW_EXCEPTION(LogicError());
        if (m_progress->Completed())
            OpenSuccessors();
        Registry::Instance()->Unregister<MissionProgress>();
        GetFromRegistry<TileManager>()->OnExit();
    }

    void Mission::Draw()
    {
        for (const std::shared_ptr<Layer>& layer : m_layers)
        {
            if (!layer)
                BOOST_THROW_EXCEPTION(LogicError());
            layer->Draw();
        }
        if (!m_progress)
            BOOST_THROW_EXCEPTION(LogicError());
        m_progress->GetData().Draw();
    }

    void Mission::OpenSuccessors() const
    {
        const std::set<unsigned long> successors = m_blueprint->Successors;
        for (const stable_ptr<MissionBlueprint>& blueprint : GetFromRegistry<CampaignMissions>()->GetMissions())
            if (successors.count(blueprint->m_id) != 0)
                blueprint->Open = true;
    }
}
