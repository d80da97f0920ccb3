# Chapter one: the rose thicket scene file, copied to the content folder's root.
tw_content_copy(c1/c1.xml c1.xml)
