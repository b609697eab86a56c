# truv_write_spdx(FILE_NAME ROOT NAME VERSION): the package's bill of materials
# ROOT/FILE_NAME, an SPDX 2.3 JSON document: the package, every file under ROOT with its SHA-1
# (which SPDX requires) and SHA-256, and each component linked into the binaries
# (TRUV_COMPONENTS, "name|version|licence|Debian package") with its version, licence and
# package URL.

function(truv_json_string var text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  set(${var} "\"${text}\"" PARENT_SCOPE)
endfunction()

# truv_json_object(VAR key value key value ...): values are JSON text already.
function(truv_json_object var)
  set(members "")
  while(ARGN)
    list(POP_FRONT ARGN key value)
    list(APPEND members "\"${key}\": ${value}")
  endwhile()
  list(JOIN members ", " members)
  set(${var} "{${members}}" PARENT_SCOPE)
endfunction()

function(truv_spdx_relationship var from type to)
  truv_json_object(relation spdxElementId "\"${from}\"" relationshipType "\"${type}\""
                   relatedSpdxElement "\"${to}\"")
  set(${var} "${relation}" PARENT_SCOPE)
endfunction()

function(truv_write_spdx out_name root name version)
  string(TIMESTAMP created "%Y-%m-%dT%H:%M:%SZ" UTC)  # SOURCE_DATE_EPOCH set by the caller
  file(SHA256 ${root}/truvApp.dll dll_hash)
  set(no "\"NOASSERTION\"")

  set(package_id SPDXRef-Package-truvApp)
  truv_json_object(package name "\"truvApp\"" SPDXID "\"${package_id}\""
                   versionInfo "\"${version}\"" downloadLocation ${no} filesAnalyzed false
                   licenseConcluded ${no} licenseDeclared ${no} copyrightText ${no}
                   primaryPackagePurpose "\"LIBRARY\"")
  set(packages "${package}")
  truv_spdx_relationship(relation SPDXRef-DOCUMENT DESCRIBES ${package_id})
  set(relationships "${relation}")

  set(binaries "")
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
  list(SORT files)
  list(REMOVE_ITEM files ${out_name})
  set(file_objects "")
  set(index 0)
  foreach(file IN LISTS files)
    math(EXPR index "${index} + 1")
    set(id SPDXRef-File-${index})
    file(SHA1 ${root}/${file} sha1)
    file(SHA256 ${root}/${file} sha256)
    truv_json_object(sha1 algorithm "\"SHA1\"" checksumValue "\"${sha1}\"")
    truv_json_object(sha256 algorithm "\"SHA256\"" checksumValue "\"${sha256}\"")
    truv_json_string(file_name "./${file}")
    truv_json_object(object fileName "${file_name}" SPDXID "\"${id}\""
                     checksums "[${sha1}, ${sha256}]" licenseConcluded ${no}
                     copyrightText ${no})
    list(APPEND file_objects "${object}")
    truv_spdx_relationship(relation ${package_id} CONTAINS ${id})
    list(APPEND relationships "${relation}")
    if(file MATCHES "\\.(dll|exe)$")
      list(APPEND binaries ${id})
    endif()
  endforeach()

  set(index 0)
  foreach(component IN LISTS TRUV_COMPONENTS)
    math(EXPR index "${index} + 1")
    string(REPLACE "|" ";" fields "${component}")
    list(GET fields 0 component_name)
    list(GET fields 1 component_version)
    list(GET fields 2 licence)
    list(GET fields 3 deb)
    set(id SPDXRef-Component-${index})
    truv_json_string(component_name "${component_name}")
    truv_json_object(purl referenceCategory "\"PACKAGE-MANAGER\"" referenceType "\"purl\""
                     referenceLocator "\"pkg:deb/debian/${deb}@${component_version}\"")
    truv_json_object(object name "${component_name}" SPDXID "\"${id}\""
                     versionInfo "\"${component_version}\"" supplier "\"Organization: Debian\""
                     downloadLocation ${no} filesAnalyzed false
                     licenseConcluded "\"${licence}\"" licenseDeclared "\"${licence}\""
                     copyrightText "\"see THIRD-PARTY-NOTICES.txt\"" externalRefs "[${purl}]")
    list(APPEND packages "${object}")
    foreach(binary IN LISTS binaries)
      truv_spdx_relationship(relation ${binary} STATIC_LINK ${id})
      list(APPEND relationships "${relation}")
    endforeach()
  endforeach()

  truv_json_object(public_domain licenseId "\"LicenseRef-public-domain\""
                   name "\"public domain\"" extractedText
                   "\"Placed in the public domain by its authors (see THIRD-PARTY-NOTICES.txt).\"")
  truv_json_object(creation created "\"${created}\""
                   creators "[\"Tool: truvApp release build\"]")
  list(JOIN packages ", " packages)
  list(JOIN file_objects ", " file_objects)
  list(JOIN relationships ", " relationships)
  truv_json_object(document
    spdxVersion "\"SPDX-2.3\"" dataLicense "\"CC0-1.0\"" SPDXID "\"SPDXRef-DOCUMENT\""
    name "\"${name}\""
    documentNamespace "\"https://truvapp.invalid/spdx/${name}-${dll_hash}\""
    creationInfo "${creation}"
    packages "[${packages}]"
    files "[${file_objects}]"
    hasExtractedLicensingInfos "[${public_domain}]"
    relationships "[${relationships}]")
  # CMake's JSON writer indents it (and stops on a fault in it).
  string(JSON document GET "{\"document\": ${document}}" document)
  file(WRITE ${root}/${out_name} "${document}\n")
endfunction()
