#include "interface/GaugeButton.hpp"

#include "interface/Gauge.hpp"
#include "presentation/RectangleList.hpp"

namespace Kestrum
{
    class GaugeButton::Data
    {
    public:
        explicit Data(const stable_ptr<Gauge>& gauge) : gauge(gauge) {}
        virtual ~Data() = default;
        Data(const Data&) = delete;
        Data& operator=(const Data&) = delete;

        stable_ptr<Gauge> gauge;
        RectangleList area;
    };

    namespace
    {
        // The slot that steps a gauge button's value on a click.
        class Changer
        {
        public:
            Changer(GaugeButton& button, float amplitude, bool wrap)
                : m_button(&button), m_amplitude(amplitude), m_wrap(wrap)
            {
            }

            void operator()(InterfaceInput::MouseButton mouseButton) const
            {
                if (mouseButton == InterfaceInput::Primary)
                    Change(m_amplitude);
                else if (mouseButton == InterfaceInput::Secondary)
                    Change(-m_amplitude);
            }

        private:
            void Change(float delta) const
            {
                const float value = m_button->GetValue() + delta;
                if (value < 0.f)
                    m_button->SetValue(m_wrap ? 1.f : 0.f);
                else if (value > 1.f)
                    m_button->SetValue(m_wrap ? 0.f : 1.f);
                else
                    m_button->SetValue(value);
            }

            GaugeButton* m_button;
            float m_amplitude;
            bool m_wrap;
        };
    }

    stable_ptr<GaugeButton> GaugeButton::Create(int faceVariant)
    {
        std::unique_ptr<Data> data(new Data(Gauge::Create(faceVariant)));
        stable_ptr<GaugeButton> button(new GaugeButton(std::move(data)));
        button->m_data->gauge->SetValue(0.f);
        button->SetPosition(sf::Vector2f(0.f, 0.f));
        return button;
    }

    GaugeButton::GaugeButton(std::unique_ptr<Data> data) : m_data(std::move(data)) {}

    GaugeButton::~GaugeButton() = default;

    void GaugeButton::SetEnabled(bool enabled)
    {
        m_data->gauge->SetEnabled(enabled);
        Button::SetEnabled(enabled);
    }

    bool GaugeButton::HasFocus() const
    {
        return m_data->gauge->HasFocus();
    }

    void GaugeButton::SetFocus(bool focus)
    {
        m_data->gauge->SetFocus(focus);
    }

    sf::Vector2f GaugeButton::GetPosition() const
    {
        return m_data->gauge->GetPosition();
    }

    void GaugeButton::SetPosition(const sf::Vector2f& p)
    {
        m_data->gauge->SetPosition(p);
        // Three overlapping rectangles approximate the round face.
        std::vector<Rectangle>& rectangles = m_data->area.GetRectangles();
        rectangles.resize(3);
        rectangles[0] = Rectangle(p.x + 6.f, p.y + 30.f, p.x + 122.f, p.y + 98.f);
        rectangles[1] = Rectangle(p.x + 30.f, p.y + 6.f, p.x + 98.f, p.y + 122.f);
        rectangles[2] = Rectangle(p.x + 16.f, p.y + 16.f, p.x + 112.f, p.y + 112.f);
    }

    RectangleList& GaugeButton::GetArea()
    {
        return m_data->area;
    }

    void GaugeButton::Draw()
    {
        m_data->gauge->Draw();
    }

    void GaugeButton::ConnectAmplitudeChange(unsigned long steps, bool wrap)
    {
        const float amplitude = 1.f / static_cast<float>(steps);
        GetClickSignal().connect(Changer(*this, amplitude, wrap));
    }

    float GaugeButton::GetValue() const
    {
        return m_data->gauge->GetValue();
    }

    void GaugeButton::SetValue(float value)
    {
        m_data->gauge->SetValue(value);
    }

    Gauge& GaugeButton::GetGauge()
    {
        return *m_data->gauge;
    }
}
