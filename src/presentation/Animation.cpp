#include "presentation/Animation.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "core/XmlReading.hpp"
#include "presentation/Angles.hpp"
#include "presentation/ResourceDefinition.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/Shadow.hpp"
#include "presentation/SpriteBatch.hpp"
#include "presentation/SpriteList.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <boost/format.hpp>

#include <cmath>
#include <vector>

namespace Kestrum
{
    namespace
    {
        const std::uint32_t TicksPerPass = 10000;

        struct Frame
        {
            unsigned index = 0;
            float centerX = 0.f;
            float centerY = 0.f;
            sf::Vector2f translation;
            float rotation = 0.f;
            bool mirrorX = false;
            bool mirrorY = false;
        };

        Frame LoadFrame(const pugi::xml_node& element)
        {
            AssertElementName(element, "frame");
            Frame frame;
            frame.index = GetAttributeValue<unsigned int>(element, "index");
            frame.centerX = GetAttributeValue<float>(element, "center_x");
            frame.centerY = GetAttributeValue<float>(element, "center_y");
            frame.translation = GetOptionalChildValue<sf::Vector2f>(element, "translation", sf::Vector2f());
            frame.rotation = GetOptionalChildValue<float>(element, "rotation", 0.f);
            frame.mirrorX = GetOptionalChildValue<bool>(element, "mirror_x", false);
            frame.mirrorY = GetOptionalChildValue<bool>(element, "mirror_y", false);
            return frame;
        }

        // What an animation plays, and how far it has got: shared by the
        // animation and its shadow.
        class AnimationImpl
        {
        public:
            virtual ~AnimationImpl() = default;
            virtual void Reset() { progress = 0; }

            // The ticks the last frame's game time adds.
            std::uint32_t GetTicksGone() const
            {
                if (!(duration > 0.f) || !std::isfinite(duration))
                    BOOST_THROW_EXCEPTION(LogicError("duration must be greater than zero"));
                const float seconds = GetFromRegistry<TimeSystem>()->GetFrameTime();
                const float ticks = seconds * float(TicksPerPass) / duration;
                // Kept within 32 bits (a frame that long has no meaningful tick count anyway).
                return ticks < 4.0e9f ? static_cast<std::uint32_t>(ticks) : 4000000000u;
            }

            std::size_t GetFrameNumber() const { return std::size_t(progress) * frames.size() / TicksPerPass; }

            // Draws the current frame with its pivot at position plus the
            // frame's translation, both turned by rotation (clockwise on screen).
            void Draw(const sf::Vector2f& position, float rotation, const sf::Color& colour) const
            {
                const std::size_t number = GetFrameNumber();
                if (number >= frames.size())
                    BOOST_THROW_EXCEPTION(OutOfRangeError(
                        (boost::format("frame %1% of an animation of %2% frames") % number % frames.size()).str()));
                const Frame& frame = frames[number];
                sf::Sprite sprite = spriteList->GetSprite(frame.index);
                const float radians = rotation * DegreesToRadians;
                const float cosine = std::cos(radians);
                const float sine = std::sin(radians);
                const sf::Vector2f& t = frame.translation;
                sprite.setOrigin(frame.centerX, frame.centerY);
                sprite.setPosition(position + sf::Vector2f(t.x * cosine - t.y * sine, t.x * sine + t.y * cosine));
                sprite.setRotation(frame.rotation + rotation);
                // Mirrored about the pivot, which stays in place.
                sprite.setScale(frame.mirrorX ? -1.f : 1.f, frame.mirrorY ? -1.f : 1.f);
                sprite.setColor(colour);
                DrawSprite(sprite);
            }

            bool loop = false;
            std::shared_ptr<const SpriteList> spriteList;
            std::vector<Frame> frames;
            std::uint32_t progress = 0;  // 0 to 9999
            float duration = 0.f;        // seconds of one pass
        };

        // The animation's current frame as a silhouette, offset on the screen.
        class ShadowImpl : public Shadow
        {
        public:
            ShadowImpl(const Animation& owner, const AnimationImpl& data) : m_owner(owner), m_data(data) {}

            void Draw() override
            {
                if (IsRemoved())
                    return;
                m_data.Draw(m_owner.GetPosition() + Offset, m_owner.GetRotation(), Colour);
            }

        private:
            // Both belong to the animation, which removes this shadow before they go.
            const Animation& m_owner;
            const AnimationImpl& m_data;
        };
    }

    struct Animation::Data : AnimationImpl
    {
        void Reset() override
        {
            AnimationImpl::Reset();
            colourFilter = sf::Color::White;
        }

        sf::Color colourFilter = sf::Color::White;
        std::shared_ptr<Shadow> shadow;
    };

    Animation::Animation() = default;

    Animation::~Animation()
    {
        if (m_data && m_data->shadow)
            m_data->shadow->Remove();
    }

    void Animation::Load(const std::string& name, const pugi::xml_node& element)
    {
        if (m_data)
            BOOST_THROW_EXCEPTION(LogicError("redundant loading"));
        auto data = std::make_unique<Data>();
        CheckInlineDefinition(element, "animation", 1);
        data->spriteList =
            GetFromRegistry<ResourceManager>()->CreateSpriteList(name, GetChildElement(element, "sprite_list")).get_shared();
        for (const pugi::xml_node& frame : GetChildElement(element, "frames").children("frame"))
            data->frames.push_back(LoadFrame(frame));
        data->loop = GetChildValue<bool>(element, "loop");
        const float frameRate = GetChildValue<float>(element, "frame_rate");
        // Refused here rather than at the first update, minutes into a flight.
        if (!(frameRate > 0.f))
            BOOST_THROW_EXCEPTION(LogicError("frame_rate must be greater than zero"));
        data->duration = static_cast<float>(data->frames.size()) / frameRate;
        m_data = std::move(data);
    }

    const Animation::Data& Animation::GetData() const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(RuntimeError("forgot to call Animation::Load()?"));
        return *m_data;
    }

    Animation::Data& Animation::GetData()
    {
        return const_cast<Data&>(static_cast<const Animation&>(*this).GetData());
    }

    void Animation::OnUpdate()
    {
        Data& data = GetData();
        if (data.loop)
        {
            data.progress = (data.progress + data.GetTicksGone()) % TicksPerPass;
        }
        else if (data.progress != TicksPerPass - 1)
        {
            const std::uint64_t progress = std::uint64_t(data.progress) + data.GetTicksGone();
            data.progress = progress >= TicksPerPass ? TicksPerPass - 1 : std::uint32_t(progress);
        }
    }

    void Animation::Draw()
    {
        const Data& data = GetData();
        data.Draw(GetPosition(), GetRotation(), data.colourFilter);
    }

    stable_ptr<Animation> Animation::Clone() const
    {
        const Data& data = GetData();
        auto clone = std::make_shared<Animation>();
        clone->m_data = std::make_unique<Data>();
        clone->m_data->loop = data.loop;
        clone->m_data->spriteList = data.spriteList;
        clone->m_data->frames = data.frames;
        clone->m_data->progress = data.progress;
        clone->m_data->duration = data.duration;
        clone->m_data->colourFilter = data.colourFilter;
        clone->SetPosition(GetPositionX(), GetPositionY());
        clone->SetRotation(GetRotation());
        return create_stable_ptr(clone);
    }

    void Animation::SetColorFilter(const sf::Color& colour)
    {
        GetData().colourFilter = colour;
    }

    void Animation::Reset()
    {
        GetData().Reset();
    }

    bool Animation::IsLooping() const
    {
        return GetData().loop;
    }

    bool Animation::ReachedEnd() const
    {
        const Data& data = GetData();
        return !data.loop && data.progress == TicksPerPass - 1;
    }

    stable_ptr<Shadow> Animation::EnableShadow()
    {
        Data& data = GetData();
        if (!data.shadow)
            data.shadow = std::make_shared<ShadowImpl>(*this, data);
        return create_stable_ptr(data.shadow);
    }

    std::uint32_t Animation::GetProgress() const
    {
        return GetData().progress;
    }

    std::size_t Animation::GetFrameNumber() const
    {
        return GetData().GetFrameNumber();
    }

    std::size_t Animation::GetFrameCount() const
    {
        return GetData().frames.size();
    }
}
