#include "device/catalogue_reader.h"

#include "device/number_text.h"
#include "lumoui/base/format.h"
#include "os/folders.h"
#include "xml/xml_document.h"

namespace {

void ReadModes(XmlDocument& document, CatalogueRecord& record, DeviceCatalogue& catalogue,
               CatalogueConsumer& consumer) {
    // One record serves every mode of the keyboard; each attribute is read anew, so a missing
    // one gives the empty string or 0.
    while (document.FindElement(L"mode")) {
        record.connectionMode = ParseDecimal(document.GetAttribute(L"value"));
        record.description = document.GetAttribute(L"desc");
        record.vendorId = ParseHexadecimal(document.GetAttribute(L"vid"));
        record.productId = ParseHexadecimal(document.GetAttribute(L"pid"));
        record.name = document.GetAttribute(L"product_name");
        record.interfaceFragment = document.GetAttribute(L"hid_interface");
        catalogue.modes.push_back(record);
        consumer.AddMatchEntry({record.vendorId, record.productId, record.name, record.deviceType,
                                record.connectionMode, record.interfaceFragment});
    }
}

void ReadKeyboards(XmlDocument& document, DeviceCatalogue& catalogue, CatalogueConsumer& consumer) {
    while (document.FindElement(L"keyboard")) {
        CatalogueRecord record;
        record.name = document.GetAttribute(L"name");
        record.deviceType = ParseDecimal(document.GetAttribute(L"device_type"));
        record.deviceInfo = document.GetAttribute(L"device_info");
        catalogue.keyboards.push_back(record);
        consumer.AddKeyboardRow(record.name, record.deviceType);
        document.EnterElement();
        ReadModes(document, record, catalogue, consumer);
        document.LeaveElement();
    }
}

void ReadSoftware(XmlDocument& document, ProgramFacts& facts, CatalogueConsumer& consumer) {
    facts.version = document.GetAttribute(L"version");
    consumer.SetVersionText(Format(L"Ver: %s", facts.version.c_str()));
    document.EnterElement();
    if (document.FindElement(L"website")) {
        facts.websiteUrl = document.GetAttribute(L"url");
    }
    if (document.FindElement(L"store")) {
        facts.storeUrl = document.GetAttribute(L"url");
    }
    if (document.FindElement(L"upgrade")) {
        facts.upgradeUrl = document.GetAttribute(L"url");
    }
    if (document.FindElement(L"copyright")) {
        facts.copyright = document.GetAttribute(L"info");
        consumer.SetLegalText(facts.copyright);
    }
}

}  // namespace

CString CatalogueFilePath() {
    return GetProgramFolder() + L"config.xml";
}

bool ReadProgramName(const CString& path, CString& name) {
    XmlDocument document;
    if (!document.LoadFile(path) || !document.FindElement(L"config") || !document.EnterElement() ||
        !document.FindElement(L"software")) {
        return false;
    }
    name = document.GetAttribute(L"name");
    return true;
}

bool LoadCatalogue(const CString& path, DeviceCatalogue& catalogue, CatalogueConsumer& consumer) {
    catalogue.keyboards.clear();
    catalogue.modes.clear();
    XmlDocument document;
    if (!document.LoadFile(path) || !document.FindElement(L"config")) {
        return false;
    }
    document.EnterElement();
    if (document.FindElement(L"device.info")) {
        document.EnterElement();
        ReadKeyboards(document, catalogue, consumer);
        document.LeaveElement();
    }
    if (document.FindElement(L"software")) {
        ReadSoftware(document, catalogue.facts, consumer);
    }
    return true;
}
