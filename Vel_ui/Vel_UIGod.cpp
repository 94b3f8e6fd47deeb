#include "Vel_ui/Vel_UIGod.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCObjectMap.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelGodInfo.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelSpellRules.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIListRefill.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

FC_REGISTER_CLASS(Vel_UIGod);

namespace
{
// A chosen god or domain that does not suit the character (any more).
constexpr std::int16_t kUnsuitedVariant = 2;

// Slots hold 16-bit ids; a negative one is empty.
bool IsSet(std::uint16_t id)
{
    return static_cast<std::int16_t>(id) >= 0;
}

template <class T> const T* RecordAt(std::uint16_t tag, std::intptr_t key)
{
    const FCObjectMap* table = VelDatabase::GetMap(tag);
    return table ? VelRulesWalk::FindByAddress<const T>(*table, key) : nullptr;
}

const VelGodInfo* GodAt(std::intptr_t key)
{
    return RecordAt<VelGodInfo>(VelDatabase::kTagGod, key);
}

const VelDomainInfo* DomainAt(std::intptr_t key)
{
    return RecordAt<VelDomainInfo>(VelDatabase::kTagDomain, key);
}

std::intptr_t AddressOf(const void* record)
{
    return record ? reinterpret_cast<std::intptr_t>(record) : -1;
}

// A slot that holds an id the database lacks still shows, so that it can
// be dragged out and cleared.
std::string NameOr(const std::string* name, std::uint16_t id)
{
    return name ? *name : "Unknown (" + std::to_string(id) + ")";
}

std::uint16_t AcceptRowOfKind(UIControl* dragged, std::uint16_t kind)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(dragged);
    return row && row->kind == kind ? UIControl::kAccept : UIControl::kRefuse;
}

std::uint16_t AcceptGodRow(UIControl*, UIControl* dragged)
{
    return AcceptRowOfKind(dragged, Vel_UIGod::kGodKind);
}

std::uint16_t AcceptDomainRow(UIControl*, UIControl* dragged)
{
    return AcceptRowOfKind(dragged, Vel_UIGod::kDomainKind);
}

void ShowRecordIcon(const std::string& iconFile)
{
    FCImageBuffer* icon = LoadIcon(iconFile);
    if (!icon)
        FC_LOG("No icon %s\n", iconFile.c_str());
    Vel_UIWin_CharConfig::ShowImage(icon);
}
} // namespace

Vel_UIGod::Vel_UIGod() = default;

Vel_UIGod::Vel_UIGod(const Vel_UIGod& other) : Vel_UIPanel(other), rows(other.rows)
{
    BindChildren(false);
}

Vel_UIGod::~Vel_UIGod() = default;

std::string Vel_UIGod::GetClassName() const { return "Vel_UIGod"; }
std::string Vel_UIGod::GetTypeName() const { return "Vel_UIGod"; }
FCObject* Vel_UIGod::Clone() const { return new Vel_UIGod(*this); }
FCObject* Vel_UIGod::CreateNew() const { return new Vel_UIGod(); }

bool Vel_UIGod::Load(FCFile& file)
{
    if (!Vel_UIPanel::Load(file))
        return false;
    BindChildren(true);
    // The trays take the rows; they set their own flags as they fill.
    SetUpPickLists(godList, nullptr);
    SetUpPickLists(domainList, nullptr);
    return true;
}

void Vel_UIGod::BindChildren(bool logMissing)
{
    godTray = FindChildAs<Vel_UIItemTray>(kGodTrayId, logMissing);
    for (std::size_t slot = 0; slot < domainTrays.size(); ++slot)
        domainTrays[slot] =
            FindChildAs<Vel_UIItemTray>(static_cast<std::uint16_t>(kFirstDomainTrayId + slot), logMissing);
    godList = FindChildAs<Vel_UIListBox>(kGodListId, logMissing);
    domainList = FindChildAs<Vel_UIListBox>(kDomainListId, logMissing);
    if (godTray)
        godTray->SetAcceptDropCallback(AcceptGodRow);
    for (Vel_UIItemTray* tray : domainTrays)
        if (tray)
            tray->SetAcceptDropCallback(AcceptDomainRow);
    for (Vel_UIItemTray* tray : {godTray, domainTrays[0], domainTrays[1]})
        if (logMissing && tray && !dynamic_cast<Vel_UIItem*>(tray->GetHolder()))
            FC_LOG("Tray %u of the god page holds no row %u\n", tray->GetId(),
                   Vel_UIItemTray::kHolderId);
}

void Vel_UIGod::EnterPage()
{
    // The window's shared button has no use on this page.
    Vel_UIWin_CharConfig::ShowButton(false);
    Vel_UIWin_CharConfig::SetHelpId(kScreenId);
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    FillGodList(*character);
    FillDomainList(*character);
    FillGodTray(*character);
    FillDomainTrays(*character);
}

bool Vel_UIGod::IsGodOpen(const VelCharacter& character, const VelGodInfo& god)
{
    if (IsSet(character.godId))
        return false;
    if (god.key <= 0)
        return true;
    if (!IsGodAllowed(&character, &god))
        return false;
    for (std::uint16_t domain : character.domainIds)
        if (IsSet(domain) && !IsGodDomain(static_cast<std::uint16_t>(god.key), domain))
            return false;
    return true;
}

bool Vel_UIGod::IsDomainOpen(const VelCharacter& character, const VelDomainInfo& domain)
{
    const auto& held = character.domainIds;
    if (IsSet(held[0]) && IsSet(held[1]))
        return false;
    if (!MatchesAlignmentMask(&character, &domain))
        return false;
    if (static_cast<std::int16_t>(character.godId) > 0 &&
        !IsGodDomain(character.godId, static_cast<std::uint16_t>(domain.key)))
        return false;
    const auto id = static_cast<std::uint16_t>(domain.key);
    for (std::uint16_t chosen : held)
    {
        if (!IsSet(chosen))
            continue;
        if (chosen == id || (domain.excludedDomain >= 0 &&
                             chosen == static_cast<std::uint16_t>(domain.excludedDomain)))
            return false;
        // The pair shuts each other out even where only one names the other.
        const VelDomainInfo* other = VelDatabase::FindDomain(chosen);
        if (other && other->excludedDomain == domain.key)
            return false;
    }
    return true;
}

void Vel_UIGod::FillGodList(const VelCharacter& character)
{
    if (!godList)
        return;
    godList->RemoveAllItems();
    if (const FCObjectMap* table = VelDatabase::GetMap(VelDatabase::kTagGod))
        VelRulesWalk::Each<const VelGodInfo>(*table,
                                             [&](const VelGodInfo& god)
                                             {
                                                 if (Vel_UIItem* row =
                                                         rows.Make(kGodKind, AddressOf(&god), god.name))
                                                 {
                                                     godList->AddRow(row, 0, false);
                                                     row->SetTakeable(IsGodOpen(character, god));
                                                 }
                                                 return false;
                                             });
    godList->UpdateLayout();
}

void Vel_UIGod::FillDomainList(const VelCharacter& character)
{
    if (!domainList)
        return;
    domainList->RemoveAllItems();
    if (const FCObjectMap* table = VelDatabase::GetMap(VelDatabase::kTagDomain))
        VelRulesWalk::Each<const VelDomainInfo>(
            *table,
            [&](const VelDomainInfo& domain)
            {
                if (Vel_UIItem* row = rows.Make(kDomainKind, AddressOf(&domain), domain.name))
                {
                    domainList->AddRow(row, 0, false);
                    row->SetTakeable(IsDomainOpen(character, domain));
                }
                return false;
            });
    domainList->UpdateLayout();
}

void Vel_UIGod::FillGodTray(const VelCharacter& character)
{
    if (!IsSet(character.godId))
    {
        FillTray(godTray, kGodKind, nullptr);
        return;
    }
    const VelGodInfo* god = VelDatabase::FindGod(character.godId);
    const TrayContent content{AddressOf(god), NameOr(god ? &god->name : nullptr, character.godId),
                              {}, god && IsGodAllowed(&character, god)};
    FillTray(godTray, kGodKind, &content);
}

void Vel_UIGod::FillDomainTrays(const VelCharacter& character)
{
    for (std::size_t slot = 0; slot < domainTrays.size(); ++slot)
    {
        const std::uint16_t id = character.domainIds[slot];
        if (!IsSet(id))
        {
            FillTray(domainTrays[slot], kDomainKind, nullptr);
            continue;
        }
        const VelDomainInfo* domain = VelDatabase::FindDomain(id);
        const TrayContent content{AddressOf(domain), NameOr(domain ? &domain->name : nullptr, id),
                                  domain ? domain->chosenText : std::string(),
                                  domain && MatchesAlignmentMask(&character, domain)};
        FillTray(domainTrays[slot], kDomainKind, &content);
    }
}

void Vel_UIGod::FillTray(Vel_UIItemTray* tray, std::uint16_t kind, const TrayContent* content)
{
    auto* row = tray ? dynamic_cast<Vel_UIItem*>(tray->GetHolder()) : nullptr;
    if (!row)
        return;
    const bool filled = content != nullptr;
    const std::int16_t variant = filled && !content->suits ? kUnsuitedVariant : 0;
    row->kind = kind;
    row->key = filled ? content->key : -1;
    row->SetColumnText(0, filled ? content->name : kEmptyText);
    row->SetFontVariant(variant);
    if (auto* cell = dynamic_cast<UITextControl*>(row->GetColumnControl(1)))
    {
        cell->SetText(filled ? content->second : std::string());
        cell->SetFontVariant(variant);
    }
    const std::uint16_t inputFlags = row->GetInputFlags();
    row->SetInputFlags(filled ? static_cast<std::uint16_t>(inputFlags | kReportEnterLeave)
                              : static_cast<std::uint16_t>(inputFlags & ~kReportEnterLeave));
    row->SetDraggable(filled);
    row->SetVisible(filled ? 1 : 0);
    tray->SetAcceptsDrops(!filled);
    tray->SetMovesRows(filled);
    tray->Invalidate();
}

void Vel_UIGod::ChooseGod(VelCharacter& character, const Vel_UIItem& row)
{
    // The row may have been open when it was drawn and be no longer.
    const VelGodInfo* god = row.kind == kGodKind ? GodAt(row.key) : nullptr;
    if (!god || !IsGodOpen(character, *god))
        return;
    SetGod(&character, god->key);
    ShowChange(character);
}

void Vel_UIGod::ChooseDomain(VelCharacter& character, std::size_t slot, const Vel_UIItem& row)
{
    const VelDomainInfo* domain = row.kind == kDomainKind ? DomainAt(row.key) : nullptr;
    if (!domain || IsSet(character.domainIds[slot]) || !IsDomainOpen(character, *domain))
        return;
    SetDomain(&character, static_cast<std::int16_t>(slot), domain->key);
    ShowChange(character);
}

void Vel_UIGod::ClearGod(VelCharacter& character)
{
    if (!IsSet(character.godId))
        return;
    SetGod(&character, -1);
    ShowChange(character);
}

void Vel_UIGod::ClearDomain(VelCharacter& character, std::size_t slot)
{
    if (!IsSet(character.domainIds[slot]))
        return;
    SetDomain(&character, static_cast<std::int16_t>(slot), -1);
    ShowChange(character);
}

void Vel_UIGod::ShowChange(VelCharacter& character)
{
    FillGodTray(character);
    FillDomainTrays(character);
    // The user's own choice: both lists stay where they were.
    const Vel_UIListKeepPlace keepGods(godList);
    const Vel_UIListKeepPlace keepDomains(domainList);
    FillGodList(character);
    FillDomainList(character);
    character.changeMask |= VelCharacter::kChangedGod;
    character.NotifyChanged();
}

std::ptrdiff_t Vel_UIGod::DomainSlotOf(const UIControl* tray) const
{
    for (std::size_t slot = 0; slot < domainTrays.size(); ++slot)
        if (tray && domainTrays[slot] == tray)
            return static_cast<std::ptrdiff_t>(slot);
    return -1;
}

bool Vel_UIGod::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    VelCharacter* character = VelClient::GetCurrentCharacter();
    const Vel_UIItem* row = RowCarriedBy(event);
    if (character && row)
    {
        const bool dropped = event.type == UIMessage::kDroppedOnto;
        const std::ptrdiff_t slot = DomainSlotOf(event.sender);
        if (godTray && event.sender == godTray)
            dropped ? ChooseGod(*character, *row) : ClearGod(*character);
        else if (slot >= 0)
            dropped ? ChooseDomain(*character, static_cast<std::size_t>(slot), *row)
                    : ClearDomain(*character, static_cast<std::size_t>(slot));
    }
    return Vel_UIPanel::HandleNotify(event);
}

bool Vel_UIGod::OnMouseOverEnter(UIControl* control)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(control);
    if (!row)
        return false;
    if (row->kind == kGodKind)
    {
        if (const VelGodInfo* god = GodAt(row->key))
        {
            ShowRecordIcon(god->iconFile);
            Vel_UIWin_CharConfig::ShowHelpText(god->description);
        }
        return true;
    }
    if (row->kind == kDomainKind)
    {
        if (const VelDomainInfo* domain = DomainAt(row->key))
        {
            ShowRecordIcon(domain->iconFile);
            Vel_UIWin_CharConfig::ShowHelpText(domain->description);
        }
        return true;
    }
    return false;
}

bool Vel_UIGod::OnMouseOverLeave(UIControl* control)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(control);
    if (!row || (row->kind != kGodKind && row->kind != kDomainKind))
        return false;
    Vel_UIWin_CharConfig::ShowCurrentClassInfo();
    Vel_UIWin_CharConfig::RestoreHelpText();
    return true;
}
