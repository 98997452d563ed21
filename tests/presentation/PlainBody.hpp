// A body without states or parts for tests of what every machine shares: it
// keeps its position and its rotation (brought into [0, 360) like every
// machine's) and counts the calls that set them.
#pragma once

#include "core/Exception.hpp"
#include "presentation/CircleList.hpp"
#include "presentation/StateMachineBase.hpp"

#include <memory>

namespace Kestrum::Testing
{
    class PlainBody : public StateMachineBase
    {
    public:
        static stable_ptr<PlainBody> Create() { return create_stable_ptr(std::make_shared<PlainBody>()); }

        float GetRotation() const override { return m_rotation; }
        void SetRotation(float angle) override
        {
            ++rotationsSet;
            m_rotation = NormalizeRotation(angle);
        }
        void SetPositionX(const float& x) override
        {
            ++positionsSet;
            StateMachineBase::SetPositionX(x);
        }

        bool Execute(const std::string&) override { return false; }
        std::set<std::string> GetAllTransitions() const override { return {}; }
        bool GetSocket(const std::string&, Socket&) const override { return false; }
        bool RotatePart(const std::string&, float, float) override { return false; }
        bool RotatePart(const std::string&, const sf::Vector2f&, float) override { return false; }
        float GetPartRotation(const std::string&) const override { return 0.f; }
        bool HasSocket(const std::string&) const override { return false; }
        bool HasTransition(const std::string&) const override { return false; }
        bool HasPart(const std::string&) const override { return false; }
        void OnUpdate() override {}
        void Draw(bool, const sf::Color&) override {}
        void DrawDebugInformation() override {}
        stable_ptr<const CircleList> GetBoundary() const override
        {
            return create_stable_ptr<const CircleList>(std::make_shared<CircleList>());
        }
        void SetSignalHandler(const SignalHandler&) override {}
        void Reset() override {}
        stable_ptr<Shadow> EnableShadow() override
        {
            BOOST_THROW_EXCEPTION(NotImplementedError("a plain body casts no shadow"));
        }
        void DisableShadow() override {}

        int rotationsSet = 0;
        int positionsSet = 0;

    private:
        float m_rotation = 0.f;
    };
}
