// A button that shows a gauge and, once connected, steps the gauge's value on
// every click: forwards with the primary mouse button, backwards with the
// secondary one, wrapping from one end to the other.
#pragma once

#include "core/StablePtr.hpp"
#include "interface/Button.hpp"

#include <memory>

namespace Kestrum
{
    class Gauge;

    class GaugeButton : public Button
    {
    public:
        static stable_ptr<GaugeButton> Create(int faceVariant);
        ~GaugeButton() override;

        void SetEnabled(bool enabled) override;
        bool HasFocus() const override;
        void SetFocus(bool focus) override;
        sf::Vector2f GetPosition() const override;
        // Moves the gauge and lays the round click area over its face.
        void SetPosition(const sf::Vector2f& position) override;
        RectangleList& GetArea() override;
        void Draw() override;

        // Makes every click step the value by 1 / steps. With `wrap` set a step past
        // either end lands on the other end; without it the value stops at the end.
        void ConnectAmplitudeChange(unsigned long steps, bool wrap);
        float GetValue() const;
        void SetValue(float value);
        Gauge& GetGauge();

        class Data;

    private:
        explicit GaugeButton(std::unique_ptr<Data> data);

        std::unique_ptr<Data> m_data;
    };
}
