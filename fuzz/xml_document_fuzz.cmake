brimlow_add_fuzzer(xml_document_fuzz DIRS lumoui/base/utf8.cpp src/xml)
