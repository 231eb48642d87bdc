// The form resource reader: strict about what it reads, and in the order that components rely on.

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string>* journal = nullptr;

// Writes down its end-of-loading notification and its destruction.
class TProbe : public TComponent {
public:
    using TComponent::TComponent;
    ~TProbe() override { journal->push_back("destroyed " + Name()); }
    void Loaded() override {
        journal->push_back("loaded " + Name());
        TComponent::Loaded();
    }
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == TOperation::opRemove) {
            journal->push_back(Name() + " heard " + component->Name() + " go");
        }
    }
};

class TTestForm : public TForm {
public:
    explicit TTestForm(TComponent* owner) : TForm(owner) {
        PublishComponents({{"Button1", Button1}});
        PublishHandlers({
            {"Created", &TTestForm::Created},
            {"Clicked", &TTestForm::Clicked},
            {"Closing", &TTestForm::Closing},
        });
    }
    const char* ClassName() const override { return "TTestForm"; }

    void Created(TObject*) {
        journal->push_back("created, window " +
                           std::string(HandleAllocated() ? "made" : "missing"));
    }
    void Clicked(TObject*) { journal->push_back("clicked"); }
    void Closing(TObject*, TCloseAction&) {}

    TButton* Button1 = nullptr;
};

class FormReaderTest : public testing::Test {
protected:
    void SetUp() override {
        journal = &entries;
        ClassRegistry::Instance().Register<TProbe>("TProbe");
        app = std::make_unique<TApplication>();
        app->Initialize();
    }
    void TearDown() override {
        app.reset();
        journal = nullptr;
    }

    TTestForm* Load(const std::string& text) {
        auto* form = new TTestForm(app.get());
        form->LoadFromText(text);
        return form;
    }

    // The message of the read error that `text` raises, or "" when it loads.
    std::string ReadError(const std::string& text) {
        auto* form = new TTestForm(app.get());
        try {
            form->LoadFromText(text);
        } catch (const EReadError& error) {
            delete form;
            return error.Message();
        }
        delete form;
        return "";
    }

    std::vector<std::string> entries;
    std::unique_ptr<TApplication> app;
};

const char* const kForm = R"(object Form1: TTestForm
  Caption = 'Essai'
  Width = 200
  Height = 150
  OnCreate = Created
  object First: TProbe
  end
  object Button1: TButton
    Left = 8
    Top = 8
    Width = 80
    Height = 25
    Caption = 'Un ''bouton'''
    OnClick = Clicked
  end
  object Second: TProbe
  end
end
)";

}  // namespace

TEST_F(FormReaderTest, EveryComponentIsLoadedBeforeTheCreationHandlerRuns) {
    TTestForm* form = Load(kForm);
    EXPECT_EQ(entries,
              (std::vector<std::string>{"loaded First", "loaded Second", "created, window made"}));
    ASSERT_NE(form->Button1, nullptr);
    EXPECT_EQ(form->Button1->Caption(), "Un 'bouton'");
    EXPECT_EQ(form->Components().size(), 3u);
    EXPECT_FALSE(form->IsLoading());

    entries.clear();
    SendMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(entries, std::vector<std::string>{"clicked"});
}

TEST_F(FormReaderTest, DestroyingTheFormDestroysItsComponentsLastCreatedFirst) {
    TTestForm* form = Load(kForm);
    HWND button = form->Button1->Handle();
    HWND window = form->Handle();
    entries.clear();
    delete form;
    EXPECT_EQ(entries, (std::vector<std::string>{"destroyed Second", "First heard Second go",
                                                 "First heard Button1 go", "destroyed First"}));
    EXPECT_FALSE(IsWindow(button));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(FormReaderTest, RefusesWhatItDoesNotKnowNamingTheLine) {
    struct Case {
        const char* text;
        const char* expected;  // a part of the message
    };
    const Case cases[] = {
        {"object Form1: TTestForm\n  object X: TNoSuchThing\n  end\nend\n",
         "ligne 2 : classe inconnue « TNoSuchThing »"},
        {"object Form1: TTestForm\n  Colour = clRed\nend\n",
         "ligne 2 : propriété inconnue « Colour »"},
        {"object Form1: TTestForm\n  OnCreate = Nowhere\nend\n", "ligne 2 : méthode inconnue"},
        {"object Form1: TTestForm\n  OnClose = Clicked\nend\n", "n'a pas la signature"},
        {"object Form1: TTestForm\n  object Button1: TProbe\n  end\nend\n",
         "n'est pas du type de son champ"},
        {"object Form1: TTestForm\n  object A: TProbe\n  end\n  object A: TProbe\n  end\nend\n",
         "ligne 4 : nom en double"},
        {"object Form1: TOtherForm\nend\n", "pas « TTestForm »"},
        {"object Form1: TTestForm\n  Width = 'large'\nend\n", "ligne 2 : nombre entier attendu"},
        {"object Form1: TTestForm\n  Caption = 'ouverte\nend\n", "ligne 2"},
        {"object Form1: TTestForm\n  object A: TProbe\n  end\n", "« end » manquant"},
        {"object Form1: TTestForm\nend\nobject Form2: TTestForm\nend\n", "après la fin"},
        {"object Form1: TTestForm\n  object A: TProbe\n  end\n  Width = 3\nend\n",
         "ligne 4 : propriété après les composants"},
        {"object Form1: TTestForm\n  object A: TProbe\n    object B: TButton\n    end\n  "
         "end\nend\n",
         "« A » ne peut pas contenir « B »"},
    };
    for (const Case& c : cases) {
        std::string message = ReadError(c.text);
        EXPECT_NE(message.find(c.expected), std::string::npos) << "text:\n"
                                                               << c.text << "message: " << message;
    }
}
