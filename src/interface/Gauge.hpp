// A round dial whose needle shows a value between 0 and 1, with an enabled
// look, a disabled look and a focus frame.
#pragma once

#include "core/StablePtr.hpp"

#include <SFML/System/Vector2.hpp>
#include <memory>

namespace Kestrum
{
    class Gauge
    {
    public:
        // The face variant chooses the scale printed on the dial: 0 off/on,
        // 1 a volume scale, 2 a health scale, anything else a two-setting scale.
        static stable_ptr<Gauge> Create(int faceVariant);

        explicit Gauge(int faceVariant);
        virtual ~Gauge();
        Gauge(const Gauge&) = delete;
        Gauge& operator=(const Gauge&) = delete;

        // Clamps the value to [0, 1] and turns the needle to it.
        void SetValue(float value);
        float GetValue() const;
        // The top-left of the dial; the needle turns about the middle of its lower edge.
        void SetPosition(const sf::Vector2f& position);
        sf::Vector2f GetPosition() const;
        void Draw();

        void SetEnabled(bool enabled);
        bool IsEnabled() const;
        void SetFocus(bool focus);
        bool HasFocus() const;
        // The needle's rotation as the window library applies it, in degrees.
        float GetNeedleRotation() const;

        class Data;

    private:
        std::unique_ptr<Data> m_data;
    };
}
