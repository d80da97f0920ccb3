tw_content_copy(c2/c2.xml c2.xml)
