#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

/** Finds components by type or by the text of their attached label, so that tests can reach the
    controls of a component tree without it exposing them.
*/
namespace ComponentSearch
{
    /** Every component of type T below root, depth first. */
    template <typename T>
    std::vector<T*> findAll (juce::Component& root)
    {
        std::vector<T*> found;

        for (auto* child : root.getChildren())
        {
            if (auto* match = dynamic_cast<T*> (child))
                found.push_back (match);

            const auto below = findAll<T> (*child);
            found.insert (found.end(), below.begin(), below.end());
        }

        return found;
    }

    /** The first component of type T below root, or nullptr. */
    template <typename T>
    T* findFirst (juce::Component& root)
    {
        const auto all = findAll<T> (root);
        return all.empty() ? nullptr : all.front();
    }

    /** The label below root that shows text, or nullptr. */
    inline juce::Label* findLabel (juce::Component& root, const juce::String& text)
    {
        for (auto* label : findAll<juce::Label> (root))
            if (label->getText() == text)
                return label;

        return nullptr;
    }

    /** The control of type T that the label showing text is attached to, or nullptr. */
    template <typename T>
    T* findLabelled (juce::Component& root, const juce::String& text)
    {
        auto* label = findLabel (root, text);
        return label == nullptr ? nullptr : dynamic_cast<T*> (label->getAttachedComponent());
    }

    /** The text button below root that shows text, or nullptr. */
    inline juce::TextButton* findButton (juce::Component& root, const juce::String& text)
    {
        for (auto* button : findAll<juce::TextButton> (root))
            if (button->getButtonText() == text)
                return button;

        return nullptr;
    }

    /** The texts of a combo box's items, in order. */
    inline juce::StringArray itemTexts (juce::ComboBox& box)
    {
        juce::StringArray texts;

        for (int i = 0; i < box.getNumItems(); ++i)
            texts.add (box.getItemText (i));

        return texts;
    }
} // namespace ComponentSearch
