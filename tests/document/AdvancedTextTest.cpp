#include "TestControls.h"
#include "document/LabelFields.h"

#include <gtest/gtest.h>

namespace {
// Elements "Item ", imported field 2, " #", counter from 7.
void GiveFields(TLabelControl& c) {
    c.Fields.push_back(std::make_unique<TTextField>("Item "));
    auto field = std::make_unique<TImportedField>();
    field->FieldNumber = 2;
    c.Fields.push_back(std::move(field));
    c.Fields.push_back(std::make_unique<TTextField>(" #"));
    auto seq = std::make_unique<TSequenceField>();
    seq->CurrentValue = 7;
    seq->MinValue = 1;
    seq->ResetOnPrint = true;
    c.Fields.push_back(std::move(seq));
    c.SetAdvanced(true);
}
} // namespace

class AdvancedTextTest : public ::testing::Test {
protected:
    void SetUp() override { label.SetLabelSize(300, 150); }
    TLabelDocument label;
};

TEST_F(AdvancedTextTest, TextsOfAnAdvancedControl) {
    TBlockControl* c = AddBlock(label, 10, 10, 40, 20);
    c->SetText("literal");
    GiveFields(*c);
    EXPECT_EQ(c->GetDisplayText(), QString("Item F_2 #7"));
    EXPECT_EQ(c->GetText(), QString("Item  #7")); // no record: the field is empty
    const TImportRecord record{"A-1", "Widget"};
    EXPECT_EQ(c->GetPrintText(&record, false), QString("Item Widget #7"));
    EXPECT_EQ(c->GetPrintText(&record, true), QString("Item Widget #7"));
    EXPECT_EQ(c->GetPrintText(&record, false), QString("Item Widget #8")); // stepped once
    c->SetAdvanced(false);
    EXPECT_EQ(c->GetText(), QString("literal"));
    EXPECT_EQ(c->GetPrintText(&record, true), QString("literal"));
}

TEST_F(AdvancedTextTest, CloneCopiesElementsThatCountOnTheirOwn) {
    TBlockControl* c = AddBlock(label, 10, 10, 40, 20);
    GiveFields(*c);
    std::unique_ptr<TLabelControl> copy = label.CloneControl();
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->Fields.size(), 4u);
    EXPECT_TRUE(copy->Advanced());
    const TImportRecord record{"x", "y"};
    copy->GetPrintText(&record, true);
    EXPECT_EQ(copy->GetPrintText(&record, false), QString("Item y #8"));
    EXPECT_EQ(c->GetPrintText(&record, false), QString("Item y #7"));
}

TEST_F(AdvancedTextTest, LabelWideQueries) {
    TBlockControl* plain = AddBlock(label, 10, 10, 40, 20);
    EXPECT_FALSE(UsesImportedFields(label.Controls()));
    EXPECT_FALSE(HasAdvancedFields(label.Controls()));
    plain->Fields.push_back(std::make_unique<TImportedField>());
    EXPECT_FALSE(UsesImportedFields(label.Controls())); // elements count only when advanced
    plain->SetAdvanced(true);
    EXPECT_TRUE(UsesImportedFields(label.Controls()));
    EXPECT_TRUE(HasAdvancedFields(label.Controls()));
    EXPECT_FALSE(HasSequences(label.Controls()));
    TBlockControl* counted = AddBlock(label, 60, 10, 40, 20);
    GiveFields(*counted);
    EXPECT_TRUE(HasSequences(label.Controls()));
    const TImportRecord record{"a", "b"};
    counted->GetPrintText(&record, true);
    counted->GetPrintText(&record, true);
    ResetSequences(label.Controls());
    EXPECT_EQ(counted->GetPrintText(&record, false), QString("Item b #1")); // back to MinValue
}
